#include "shell/game.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int status = cratefall::shell::runGame();
    // Qt's Wayland client may wait for ever in its own teardown, for an event thread that waits
    // for it in turn: every window gone, a program that never ends. With the game over there is
    // nothing left to close or save, so on Wayland the process ends here.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
