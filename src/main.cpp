#include "shell/game.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return cratefall::shell::endProgram(cratefall::shell::runGame());
}
