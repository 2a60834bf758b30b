#include "shell/game.h"

#include "info/form13.h"
#include "levels/level_form.h"
#include "levels/level_table.h"
#include "shell/form1.h"
#include "shell/screen_names.h"
#include "ui/runtime.h"
#include "victory/form12.h"

#include <QApplication>
#include <QDirIterator>
#include <QFont>
#include <QFontDatabase>
#include <cstdio>
#include <cstdlib>
// Qt's headers tell the platform.
#ifdef Q_OS_WASM
#include "shell/browser_page.h"
#endif

namespace cratefall::shell {

namespace {

template <class Screen> std::unique_ptr<ui::Form> make(ui::Runtime& runtime)
{
    return std::make_unique<Screen>(runtime);
}

} // namespace

void registerScreens(ui::Runtime& runtime)
{
    runtime.registerForm(titleDesign, make<Form1>);
    for (const levels::Level& level : levels::table())
        runtime.registerForm(level.design(), [&level](ui::Runtime& rt) {
            return std::make_unique<levels::LevelForm>(rt, level);
        });
    runtime.registerForm(victory::victoryDesign, make<victory::Form12>);
    runtime.registerForm(info::howToPlayDesign, make<info::Form13>);
    runtime.registerForm(info::aboutDesign, make<info::Aboutmeform>);
}

void prepareApplication()
{
    // The faces the program carries, where the system has none of its own (Windows, a browser).
    for (QDirIterator font(QStringLiteral(":/fonts")); font.hasNext();)
        QFontDatabase::addApplicationFont(font.next());
#if defined(Q_OS_WIN) || defined(Q_OS_WASM)
    // Menus, boxes and buttons as on Linux, where Qt's own Fusion style and its 9 point sans face
    // draw them, rather than as the Windows version of the day would.
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 9));
#endif
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
#ifdef Q_OS_WASM
    attachToPage(runtime);
#endif
    return runtime.run(screens::title);
}

int endProgram(int status)
{
    // Qt's Wayland client may wait for ever in its own teardown, for an event thread that waits
    // for it in turn: every window gone, a program that never ends. With the game over there is
    // nothing left to close or save, so on Wayland the process ends here.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}

} // namespace cratefall::shell
