// The game as shipped, but starting at another screen: the end-to-end tests reach a late level
// or the victory screen without playing through the ones before.
//   cratefall_e2e_entry SCREEN    the game, opening at that screen (shell::screens::all)
//   cratefall_e2e_entry --layout  what the tests need to know of every screen, from the game's
//                                 own tables, one fact a line (see tests/e2e/screens.sh)
#include "shell/form1.h"
#include "shell/game.h"
#include "shell/screen_names.h"
#include "testing/test_access.h"
#include "ui/form.h"
#include "ui/runtime.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
// Qt's headers tell the platform.
#ifdef Q_OS_WASM
#include "shell/browser_page.h"
#endif

namespace {

using namespace cratefall;

// One fact a line, its words apart.
template <class... Words> void line(const Words&... words)
{
    std::string text;
    for (const std::string_view word : {std::string_view(words)...}) {
        text += text.empty() ? "" : " ";
        text += word;
    }
    std::puts(text.c_str());
}

// window SCREEN CLIENT_WIDTH CLIENT_HEIGHT CAPTION...
// control SCREEN NAME LEFT TOP WIDTH HEIGHT (twips; a line's two ends for a line)
// text SCREEN NAME CAPTION... (a control's or a menu bar's menu's, where it has one)
// fall SCREEN NUMBER LEFT STEP (a box of a level, a picture of the title: where and how it falls)
void printLayout(ui::Runtime& runtime)
{
    for (const std::string_view screen : shell::screens::all) {
        const ui::FormDesign& design = runtime.form(screen).design();
        line("window", screen, std::to_string(design.clientWidth),
             std::to_string(design.clientHeight), design.caption);
        for (const ui::ControlDesign& c : design.controls)
            line("control", screen, c.name, std::to_string(c.left), std::to_string(c.top),
                 std::to_string(c.width), std::to_string(c.height));
        for (const ui::ControlDesign& control : design.controls)
            if (!control.caption.empty())
                line("text", screen, control.name, control.caption);
        for (const ui::MenuDesign& menu : design.menu)
            if (menu.parent.empty() && !menu.caption.empty())
                line("text", screen, menu.name, menu.caption);
    }
    for (std::size_t i = 0; i < shell::titleFalls.size(); ++i)
        line("fall", shell::screens::title, std::to_string(i + 1),
             std::to_string(shell::titleFalls[i].left), std::to_string(shell::titleFalls[i].step));
    for (const levels::Level& level : levels::table())
        for (std::size_t box = 0; box < std::size_t(level.boxes); ++box)
            line("fall", level.screen, std::to_string(box + 1), std::to_string(level.boxLeft[box]),
                 std::to_string(level.fallStep[box]));
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
    if (argc != 2 || std::ranges::find(shell::screens::all, argv[1]) == shell::screens::all.end()) {
        std::fprintf(stderr, "usage: %s SCREEN | --layout; the screens:", argv[0]);
        for (const std::string_view screen : shell::screens::all)
            std::fprintf(stderr, " %.*s", int(screen.size()), screen.data());
        std::fprintf(stderr, "\n");
        return 2;
    }
#ifdef Q_OS_WASM
    shell::attachToPage(runtime);
#endif
    return shell::endProgram(runtime.run(argv[1]));
}
