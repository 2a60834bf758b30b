// The game as shipped, but starting at another screen: the end-to-end tests reach a late level
// or the victory screen without playing through the ones before.
//   cratefall_e2e_entry FORM      the game, opening at FORM (Form1 .. Form13, Aboutmeform)
//   cratefall_e2e_entry --layout  what the tests need to know of every screen, from the game's
//                                 own tables, one fact a line (see tests/e2e/screens.sh)
#include "shell/form1.h"
#include "shell/game.h"
#include "shell/screen_names.h"
#include "testing/test_access.h"
#include "ui/form.h"
#include "ui/runtime.h"

#include <QApplication>
#include <cstdio>
#include <string>
#include <string_view>
// Qt's headers tell the platform.
#ifdef Q_OS_WASM
#include "shell/browser_page.h"
#endif

namespace {

using namespace cratefall;

void print(std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
}

void printText(std::string_view screen, std::string_view name, std::string_view caption)
{
    if (caption.empty())
        return;
    std::printf("text %.*s %.*s ", int(screen.size()), screen.data(), int(name.size()),
                name.data());
    print(caption);
    print("\n");
}

// window SCREEN CLIENT_WIDTH CLIENT_HEIGHT CAPTION...
// control SCREEN NAME LEFT TOP WIDTH HEIGHT (twips; a line's two ends for a line)
// text SCREEN NAME CAPTION... (a control's or a menu bar's menu's, where it has one)
// fall SCREEN NUMBER LEFT STEP (a box of a level, a picture of the title: where and how it falls)
void printLayout(ui::Runtime& runtime)
{
    for (const std::string_view screen : shell::screens::all) {
        const ui::FormDesign& design = runtime.form(screen).design();
        std::printf("window %.*s %d %d ", int(screen.size()), screen.data(), design.clientWidth,
                    design.clientHeight);
        print(design.caption);
        print("\n");
        for (const ui::ControlDesign& control : design.controls)
            std::printf("control %.*s %.*s %d %d %d %d\n", int(screen.size()), screen.data(),
                        int(control.name.size()), control.name.data(), control.left, control.top,
                        control.width, control.height);
        for (const ui::ControlDesign& control : design.controls)
            printText(screen, control.name, control.caption);
        for (const ui::MenuDesign& menu : design.menu)
            if (menu.parent.empty())
                printText(screen, menu.name, menu.caption);
    }
    for (std::size_t i = 0; i < shell::titleFalls.size(); ++i)
        std::printf("fall %.*s %zu %d %d\n", int(shell::screens::title.size()),
                    shell::screens::title.data(), i + 1, shell::titleFalls[i].left,
                    shell::titleFalls[i].step);
    for (const levels::Level& level : levels::table())
        for (int box = 1; box <= level.boxes; ++box)
            std::printf("fall %.*s %d %d %d\n", int(level.screen.size()), level.screen.data(), box,
                        level.boxLeft[std::size_t(box - 1)], level.fallStep[std::size_t(box - 1)]);
}

bool isScreen(std::string_view name)
{
    for (const std::string_view screen : shell::screens::all)
        if (name == screen)
            return true;
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    shell::prepareApplication();
    ui::Runtime runtime;
    shell::registerScreens(runtime);
    if (argc == 2 && std::string_view(argv[1]) == "--layout") {
        printLayout(runtime);
        return 0;
    }
    if (argc != 2 || !isScreen(argv[1])) {
        std::fprintf(stderr, "usage: %s FORM (Form1 .. Form13, Aboutmeform) | --layout\n", argv[0]);
        return 2;
    }
#ifdef Q_OS_WASM
    shell::attachToPage(runtime);
#endif
    return shell::endProgram(runtime.run(argv[1]));
}
