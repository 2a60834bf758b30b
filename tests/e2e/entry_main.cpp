// The game as shipped, but starting at another screen: the end-to-end tests reach a late level
// or the victory screen without playing through the ones before. Usage: cratefall_e2e_entry FORM
#include "shell/game.h"
#include "testing/test_access.h"
#include "ui/runtime.h"

#include <QApplication>
#include <array>
#include <cstdio>
#include <string_view>

namespace {

bool isScreen(std::string_view name)
{
    constexpr std::array others{"Form1", "Form12", "Form13", "Aboutmeform"};
    for (const std::string_view other : others)
        if (name == other)
            return true;
    return cratefall::testing::levelOnScreen(name) != nullptr;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2 || !isScreen(argv[1])) {
        std::fprintf(stderr, "usage: %s FORM (Form1 .. Form13, Aboutmeform)\n", argv[0]);
        return 2;
    }
    cratefall::shell::prepareApplication();
    cratefall::ui::Runtime runtime;
    cratefall::shell::registerScreens(runtime);
    return runtime.run(argv[1]);
}
