// Playing single levels through their windows: real presses routed by Qt, ticks driven directly.
#ifndef Q_MOC_RUN // moc cannot parse the C++20 library headers these pull in
#include "game_fixture.h"
#include "levels/level_form.h"
#include "testing/test_access.h"
#include "ui/units.h"
#endif

#include <QTest>

using cratefall::levels::LevelForm;
using cratefall::testing::Access;
using cratefall::testing::GameFixture;
using cratefall::ui::GameInt;
using cratefall::ui::toPixels;

namespace {

QPoint pixelAt(double leftTwips, double topTwips)
{
    return {toPixels(leftTwips) + 5, toPixels(topTwips) + 5};
}

} // namespace

class LevelPlayTest : public QObject {
    Q_OBJECT

private slots:
    void levelOneWinningTick()
    {
        GameFixture game;
        game.show("Form2");
        LevelForm& level = game.screen<LevelForm>("Form2");
        game.pressControl("Form2", "Label4");
        game.tick("Form2", 2);
        for (int box = 1; box <= 3; ++box)
            for (int i = 0; i < 10; ++i)
                game.pressControl("Form2", "Image" + std::to_string(box));
        QCOMPARE(level.control("Label1").Caption(), std::string("0")); // shown from the next tick
        double topsWhileOpen[3] = {-1, -1, -1};
        std::string scoreWhileOpen;
        game.whileBoxOpen = [&](const auto&) {
            for (int box = 1; box <= 3; ++box)
                topsWhileOpen[box - 1] = level.control("Image" + std::to_string(box)).Top();
            scoreWhileOpen = level.control("Label1").Caption();
        };
        game.tick("Form2");
        QCOMPARE(int(game.boxes.size()), 1); // the win; its text is in the level table test
        QCOMPARE(scoreWhileOpen, std::string("30"));
        for (double top : topsWhileOpen)
            QCOMPARE(top, 0.0);
        QVERIFY(!game.runtime().isLoaded("Form2"));
        QVERIFY(game.runtime().isLoaded("Form3"));
        LevelForm& next = game.screen<LevelForm>("Form3");
        QVERIFY(!next.Timer1().Enabled());
        QCOMPARE(next.control("Label4").Left(), 720.0);
        QCOMPARE(next.control("Label1").Caption(), std::string());
    }

    // A loss quotes the score as the label shows it; level 1's clicks past its target between
    // two ticks never win, as the target was never seen at a tick.
    void lossQuotesTheShownScore_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<int>("boxes");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("loss");
        QTest::newRow("level 1, past its target")
            << "Form2" << 3 << 31 << "Game Over.  Your score was 31.";
        QTest::newRow("level 7") << "Form8" << 5 << 35 << "Game Over. Your total score was 355.";
    }
    void lossQuotesTheShownScore()
    {
        QFETCH(QString, screen);
        QFETCH(int, boxes);
        QFETCH(int, clicks);
        QFETCH(QString, loss);
        GameFixture game;
        const std::string name = screen.toStdString();
        game.show(name);
        LevelForm& level = game.screen<LevelForm>(name);
        game.pressControl(name, "Label4");
        game.tick(name);
        for (int i = 0; i < clicks; ++i)
            level.clickControl("Image" + std::to_string(1 + i % boxes));
        game.tick(name, 200);
        QCOMPARE(int(game.boxes.size()), 1);
        QCOMPARE(QString::fromStdString(game.boxes[0].text), loss);
    }

    void winBeatsALossOnTheSameTick()
    {
        GameFixture game;
        game.show("Form3");
        LevelForm& level = game.screen<LevelForm>("Form3");
        game.pressAt("Form3", {200, 400});
        game.tick("Form3", 96); // box 2 reaches the window's Height on the next tick
        for (int i = 0; i < 40; ++i)
            level.clickControl(i % 2 ? "Image1" : "Image3");
        game.tick("Form3");
        QCOMPARE(int(game.boxes.size()), 1);
        QCOMPARE(game.boxes[0].text,
                 std::string("You beat level 2. Press Ok to go to the next level"));
        QCOMPARE(game.boxes[0].title, std::string("Thingfall"));
        QVERIFY(game.runtime().isLoaded("Form4"));
    }

    // Only the left button plays: the others neither start the level nor score.
    void disabledBoxPassesTheClickToTheWindow()
    {
        GameFixture game;
        game.show("Form2");
        LevelForm& level = game.screen<LevelForm>("Form2");
        const QPoint onImage2 = pixelAt(1440, 120);
        for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton})
            game.pressAt("Form2", onImage2, button);
        QVERIFY2(!level.Timer1().Enabled(), "another button started the level");
        game.pressAt("Form2", onImage2); // on Image2, still disabled
        QVERIFY(level.Timer1().Enabled());
        for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton})
            game.pressAt("Form2", onImage2, button);
        QCOMPARE(Access::engine(level).boxHits(2), GameInt(0));
        QCOMPARE(level.control("Image2").Left(), 1440.0);
        QCOMPARE(level.control("Label4").Left(), 10000.0);
        QCOMPARE(level.control("Label4").Top(), 10000.0);
        game.pressAt("Form2", onImage2); // now enabled: a hit
        QCOMPARE(Access::engine(level).boxHits(2), GameInt(1));
        QCOMPARE(level.control("Image2").Left(), 1400.0);
        // Both presses of a double-click are hits.
        cratefall::ui::FormWindow* window = level.window();
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {},
                           window->client()->mapTo(window, onImage2));
        QCOMPARE(Access::engine(level).boxHits(2), GameInt(3));
    }

    void emptyLabelSwallowsItsClicks()
    {
        GameFixture game;
        game.show("Form2");
        LevelForm& level = game.screen<LevelForm>("Form2");
        game.pressAt("Form2", pixelAt(2640, 7680));
        QVERIFY(!level.Timer1().Enabled());
    }

    void barHidesTheBoxBehindIt()
    {
        GameFixture game;
        game.show("Form8");
        LevelForm& level = game.screen<LevelForm>("Form8");
        game.pressAt("Form8", pixelAt(100, 100)); // on a backdrop: reaches the window
        QVERIFY(level.Timer1().Enabled());
        game.tick("Form8", 17); // box 1 now behind the upper bar at 2160..2610
        const double top = level.control("Image1").Top();
        QVERIFY(top > 2160 - 855 && top < 2610);
        game.pressAt("Form8", pixelAt(400, 2200));
        QCOMPARE(Access::engine(level).score(), GameInt(320));
        QCOMPARE(level.control("Image1").Top(), top);
        game.pressAt("Form8", pixelAt(400, 2700)); // the part below the bar is a hit
        QCOMPARE(Access::engine(level).score(), GameInt(321));
    }

    void otherKeysDoNothingAndPWorksBeforeTheStart()
    {
        GameFixture game;
        game.show("Form3");
        LevelForm& level = game.screen<LevelForm>("Form3");
        for (const char* key : {"a", "q", "Q", "o", "1", " "})
            game.typeKey("Form3", Qt::Key_A, QString::fromLatin1(key));
        game.typeKey("Form3", Qt::Key_Eacute, QStringLiteral("\u00e9"));
        QVERIFY(game.boxes.empty());
        game.typeKey("Form3", Qt::Key_P, QStringLiteral("p"));
        QCOMPARE(int(game.boxes.size()), 1);
        QCOMPARE(game.boxes[0].text, std::string("Game Paused."));
        QCOMPARE(game.boxes[0].title, std::string("Cratefall"));
        QVERIFY(!level.Timer1().Enabled());
        QCOMPARE(level.control("Label4").Left(), 720.0);
    }
};

QTEST_MAIN(LevelPlayTest)
#include "level_play_test.moc"
