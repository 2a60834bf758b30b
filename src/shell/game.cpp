#include "shell/game.h"

#include "info/form13.h"
#include "levels/level_catalogue.h"
#include "levels/level_form.h"
#include "shell/form1.h"
#include "ui/runtime.h"
#include "victory/form12.h"

#include <QApplication>
#include <QFont>

namespace cratefall::shell {

void registerScreens(ui::Runtime& runtime)
{
    runtime.registerForm("Form1", [](ui::Runtime& rt) { return std::make_unique<Form1>(rt); });
    for (const levels::LevelRecord& record : levels::allLevels())
        runtime.registerForm(record.screen, [&record](ui::Runtime& rt) {
            return std::make_unique<levels::LevelForm>(rt, record);
        });
    runtime.registerForm("Form12",
                         [](ui::Runtime& rt) { return std::make_unique<victory::Form12>(rt); });
    runtime.registerForm("Form13",
                         [](ui::Runtime& rt) { return std::make_unique<info::Form13>(rt); });
    runtime.registerForm("Aboutmeform",
                         [](ui::Runtime& rt) { return std::make_unique<info::Aboutmeform>(rt); });
}

void prepareApplication()
{
    // Must precede the first font lookup, or the layouts' face falls back to the desktop default.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QApplication::setApplicationName(QStringLiteral("cratefall"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    // Lets desktops match the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.cratefall.Cratefall"));
    // The runtime ends the program itself, when no screen is left loaded.
    QApplication::setQuitOnLastWindowClosed(false);
}

int runGame()
{
    prepareApplication();
    ui::Runtime runtime;
    registerScreens(runtime);
    return runtime.run("Form1");
}

} // namespace cratefall::shell
