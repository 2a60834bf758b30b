// A short game played by script, for the memory checker: every screen is loaded, played and
// unloaded, one level won, one lost, boxes shown, the title resized, and the program ended.
// Exits non-zero when the game did not go as scripted.
#include "game_fixture.h"
#include "levels/level_form.h"

#include <QApplication>
#include <iostream>

namespace {

using cratefall::testing::GameFixture;

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
    for (const char* item : {"mnuhow", "mnuaboutc"}) {
        game.form("Form1").clickControl(item);
        const char* screen = std::string_view(item) == "mnuhow" ? "Form13" : "Aboutmeform";
        expect(game.runtime().isLoaded(screen), "a help screen to open");
        game.pressControl(screen, "Command1");
        expect(!game.runtime().isLoaded(screen), "a help screen to close");
    }
}

void winLevelOne(GameFixture& game)
{
    game.form("Form1").clickControl("mnuplay");
    game.pressControl("Form2", "Label4");
    game.tick("Form2", 2);
    for (int box = 1; box <= 3; ++box)
        for (int i = 0; i < 10; ++i)
            game.pressControl("Form2", "Image" + std::to_string(box));
    game.tick("Form2");
    expect(game.runtime().isLoaded("Form3"), "level 2 after winning level 1");
}

void loseLevelTwo(GameFixture& game)
{
    game.pressControl("Form3", "Label4");
    game.typeKey("Form3", Qt::Key_P, QStringLiteral("p"));
    for (int i = 0; i < 300 && game.runtime().isLoaded("Form3"); ++i)
        game.tick("Form3");
    expect(game.runtime().isLoaded("Form1"), "the title after losing level 2");
}

void finishOnTheVictoryScreen(GameFixture& game)
{
    game.setClientHeight("Form1", 1);
    game.tick("Form1", 5);
    game.setClientHeight("Form1", 2000);
    game.tick("Form1", 5);
    game.show("Form12");
    game.form("Form1").Unload();
    game.typeKey("Form12", Qt::Key_A, QStringLiteral("a"));
    game.pressControl("Form12", "Command1");
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
        game.show("Form1");
        game.tick("Form1", 20);
        visitHelpScreens(game);
        winLevelOne(game);
        loseLevelTwo(game);
        finishOnTheVictoryScreen(game);
        expect(game.boxes.size() == 3, "a win box, a pause box and a loss box");
    }
    GameFixture::settle();
    return g_failures == 0 ? 0 : 1;
}
