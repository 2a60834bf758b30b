// A short game played by script, for the memory checker: every screen is loaded, played and
// unloaded, one level won, one lost, boxes shown, the title resized, and the program ended.
// Exits non-zero when the game did not go as scripted.
#include "screen_test.h"

#include <QApplication>
#include <iostream>

namespace {

using cratefall::levels::controls::image;
using cratefall::levels::controls::start;

int g_failures = 0;

void expect(bool condition, const char* what)
{
    if (!condition) {
        std::cerr << "scripted game: expected " << what << '\n';
        ++g_failures;
    }
}

void visitHelpScreens(GameFixture& game)
{
    for (const auto& [item, screen] :
         {std::pair{"mnuhow", screens::howToPlay}, std::pair{"mnuaboutc", screens::about}}) {
        game.form(screens::title).clickControl(item);
        expect(game.runtime().isLoaded(screen), "a help screen to open");
        game.pressControl(screen, "Command1");
        expect(!game.runtime().isLoaded(screen), "a help screen to close");
    }
}

void winLevelOne(GameFixture& game)
{
    const auto level = screens::level(1);
    game.form(screens::title).clickControl("mnuplay");
    game.pressControl(level, start);
    game.tick(level, 2);
    for (int box = 1; box <= 3; ++box)
        for (int i = 0; i < 10; ++i)
            game.pressControl(level, image(box));
    game.tick(level);
    expect(game.runtime().isLoaded(screens::level(2)), "level 2 after winning level 1");
}

void loseLevelTwo(GameFixture& game)
{
    const auto level = screens::level(2);
    game.pressControl(level, start);
    game.typeKey(level, Qt::Key_P, QStringLiteral("p"));
    for (int i = 0; i < 300 && game.runtime().isLoaded(level); ++i)
        game.tick(level);
    expect(game.runtime().isLoaded(screens::title), "the title after losing level 2");
}

void finishOnTheVictoryScreen(GameFixture& game)
{
    game.setClientHeight(screens::title, 1);
    game.tick(screens::title, 5);
    game.setClientHeight(screens::title, 2000);
    game.tick(screens::title, 5);
    game.show(screens::victory);
    game.form(screens::title).Unload();
    game.typeKey(screens::victory, Qt::Key_A, QStringLiteral("a"));
    game.pressControl(screens::victory, "Command1");
    expect(game.exitStatus == 0, "the victory screen's Close to end with status 0");
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    {
        GameFixture game;
        game.show(screens::title);
        game.tick(screens::title, 20);
        visitHelpScreens(game);
        winLevelOne(game);
        loseLevelTwo(game);
        finishOnTheVictoryScreen(game);
        expect(game.boxes.size() == 3, "a win box, a pause box and a loss box");
    }
    GameFixture::settle();
    return g_failures == 0 ? 0 : 1;
}
