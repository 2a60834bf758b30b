// Whole levels won by clicks, and the chain of screens and scores from level 1 to the victory.
#ifndef Q_MOC_RUN // moc cannot parse the C++20 library headers these pull in
#include "game_fixture.h"
#include "levels/level_form.h"
#include "testing/test_access.h"
#endif

#include <QTest>

using cratefall::levels::Level;
using cratefall::levels::LevelForm;
using cratefall::testing::Access;
using cratefall::testing::GameFixture;
using cratefall::testing::level;
using cratefall::ui::GameInt;

namespace {

// Plays a started level to its target: every box is clicked back to the top at every tick, so
// none is lost, and the last click lands exactly on the target. Returns the points scored.
int playToTarget(GameFixture& game, const Level& record)
{
    LevelForm& level = game.screen<LevelForm>(record.screen);
    const int start = record.scoring == cratefall::levels::Scoring::Running ? record.startScore : 0;
    int points = 0;
    while (start + points < record.targetScore) {
        for (int box = 1; box <= record.boxes && start + points < record.targetScore; ++box) {
            level.clickControl("Image" + std::to_string(box));
            ++points;
        }
        if (!game.boxes.empty())
            return -1;
        game.tick(record.screen);
        if (start + points < record.targetScore && !game.boxes.empty())
            return -1; // a message before the target
    }
    return points;
}

} // namespace

class LevelChainTest : public QObject {
    Q_OBJECT

private slots:
    void eachLevelIsWonAfterExactlyItsOwnPoints_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("points");
        const int expected[] = {40, 50, 60, 70, 70, 80, 80, 90, 96};
        for (int number = 2; number <= 10; ++number)
            QTest::addRow("level %d", number) << number << expected[number - 2];
    }

    void eachLevelIsWonAfterExactlyItsOwnPoints()
    {
        QFETCH(int, number);
        QFETCH(int, points);
        const Level& record = level(number);
        GameFixture game;
        game.show(record.screen);
        game.pressControl(record.screen, "Label4");
        game.tick(record.screen);
        QCOMPARE(Access::engine(game.screen<LevelForm>(record.screen)).score(),
                 GameInt(record.startScore));
        QCOMPARE(playToTarget(game, record), points);
        QVERIFY(!game.runtime().isLoaded(record.screen));
        QVERIFY(game.runtime().isLoaded(record.nextScreen));
        QCOMPARE(int(game.boxes.size()), number == 10 ? 0 : 1);
        QVERIFY(!game.exitStatus);
    }

    void levelNineAndFourMessages()
    {
        GameFixture game;
        for (int number : {4, 9}) {
            const Level& record = level(number);
            game.boxes.clear();
            game.show(record.screen);
            game.pressControl(record.screen, "Label4");
            QVERIFY(playToTarget(game, record) > 0);
        }
        QCOMPARE(game.boxes.at(0).text,
                 std::string("You beat level 9. Press Ok to go to the next level."));
        QCOMPARE(game.boxes.at(0).title, std::string("Cratefall"));
        LevelForm& last = game.screen<LevelForm>("Form11");
        QVERIFY(!last.Timer1().Enabled()); // waits for its start click
    }

    void wholeGameFromTheTitleToTheVictoryScreen()
    {
        GameFixture game;
        game.show("Form1");
        game.form("Form1").clickControl("mnuplay");
        std::vector<std::string> titles;
        for (int number = 1; number <= 10; ++number) {
            const Level& record = level(number);
            QVERIFY2(game.runtime().isLoaded(record.screen), record.screen.data());
            QCOMPARE(int(game.runtime().loadedForms().size()), 1);
            game.pressControl(record.screen, "Label4");
            QVERIFY(playToTarget(game, record) > 0);
            for (const auto& box : game.boxes)
                titles.push_back(box.title);
            game.boxes.clear();
        }
        QCOMPARE(int(titles.size()), 9);
        QCOMPARE(titles[0], std::string("Cratefall"));
        QCOMPARE(titles[1], std::string("Thingfall"));
        QCOMPARE(titles[2], std::string("Thingfall"));
        QCOMPARE(titles[3], std::string("Cratefall"));
        QVERIFY(game.runtime().isLoaded("Form12"));
        QCOMPARE(int(game.runtime().loadedForms().size()), 1);
        QVERIFY(!game.exitStatus);
    }

    void lossOnLevelSevenQuotesTheShownScore()
    {
        GameFixture game;
        game.show("Form8");
        LevelForm& level = game.screen<LevelForm>("Form8");
        game.pressControl("Form8", "Label4");
        game.tick("Form8");
        for (int i = 0; i < 35; ++i)
            level.clickControl("Image" + std::to_string(1 + i % 5));
        game.tick("Form8", 200);
        QCOMPARE(int(game.boxes.size()), 1);
        QCOMPARE(game.boxes[0].text, std::string("Game Over. Your total score was 355."));
        QCOMPARE(game.boxes[0].title, std::string("Thingfall"));
        QVERIFY(game.runtime().isLoaded("Form1"));
        QVERIFY(!game.runtime().isLoaded("Form8"));
    }
};

QTEST_MAIN(LevelChainTest)
#include "level_chain_test.moc"
