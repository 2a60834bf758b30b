// Playing single levels through their windows: real presses routed by Qt, ticks driven directly.
#include "screen_test.h"

using cratefall::levels::Level;
using cratefall::ui::Control;
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
        const Level& rules = cratefall::testing::level(1);
        GameFixture game;
        LevelForm& level = game.shown<LevelForm>(rules.screen);
        game.pressControl(rules.screen, controls::start);
        game.tick(rules.screen, 2); // past the first, when level 1's boxes jump to their columns
        for (int click = 0; click < rules.targetScore; ++click)
            game.pressControl(rules.screen, controls::image(1 + click % rules.boxes));
        QCOMPARE(level.control(controls::score).Caption(), std::string("0")); // from the next tick
        QList<double> topsWhileOpen;
        std::string scoreWhileOpen;
        game.whileBoxOpen = [&](const auto&) {
            for (int box = 1; box <= rules.boxes; ++box)
                topsWhileOpen.append(level.control(controls::image(box)).Top());
            scoreWhileOpen = level.control(controls::score).Caption();
        };
        game.tick(rules.screen);
        QCOMPARE(int(game.boxes.size()), 1); // the win; its text is in the level table test
        QCOMPARE(scoreWhileOpen, std::to_string(rules.targetScore));
        QCOMPARE(topsWhileOpen, QList<double>(rules.boxes, 0.0));
        QCOMPARE(game.loaded(), QStringList{qtext(rules.nextScreen)});
        LevelForm& next = game.screen<LevelForm>(rules.nextScreen);
        QVERIFY(!next.Timer1().Enabled());
        const Control& start = next.control(controls::start);
        QCOMPARE(start.Left(), double(start.design().left));
        QCOMPARE(next.control(controls::score).Caption(), std::string());
    }

    // A loss quotes the score as the label shows it; level 1's clicks past its target between
    // two ticks never win, as the target was never seen at a tick.
    void lossQuotesTheShownScore_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("loss"); // the box, as "text" (title)
        const int pastTarget = cratefall::testing::level(1).targetScore + 1;
        QTest::newRow("level 1, past its target")
            << 1 << pastTarget
            << QStringLiteral("\"Game Over.  Your score was %1.\" (Tilefall)").arg(pastTarget);
        QTest::newRow("level 7") << 7 << 35
                                 << "\"Game Over. Your total score was 355.\" (Thingfall)";
    }
    void lossQuotesTheShownScore()
    {
        QFETCH(int, number);
        QFETCH(int, clicks);
        QFETCH(QString, loss);
        const Level& rules = cratefall::testing::level(number);
        GameFixture game;
        LevelForm& level = game.shown<LevelForm>(rules.screen);
        game.pressControl(rules.screen, controls::start);
        game.tick(rules.screen);
        for (int click = 0; click < clicks; ++click)
            level.clickControl(controls::image(1 + click % rules.boxes));
        game.tick(rules.screen, 200);
        QCOMPARE(game.shownBoxes(), loss);
    }

    void winBeatsALossOnTheSameTick()
    {
        const Level& rules = cratefall::testing::level(2);
        GameFixture game;
        LevelForm& level = game.shown<LevelForm>(rules.screen);
        game.pressAt(rules.screen, {200, 400});
        // Box 2, level 2's fastest, reaches the window's Height on the tick after these.
        game.tick(rules.screen, (int(level.Height()) - 1) / rules.fallStep[1]);
        for (int click = 0; click < rules.targetScore - rules.startScore; ++click)
            level.clickControl(controls::image(click % 2 ? 1 : 3));
        game.tick(rules.screen);
        QCOMPARE(game.shownBoxes(),
                 "\"You beat level 2. Press Ok to go to the next level\" (Thingfall)");
        QVERIFY(game.runtime().isLoaded(rules.nextScreen));
    }

    // Only the left button plays: the others neither start the level nor score. The empty label
    // takes the presses that land on it.
    void disabledBoxPassesTheClickToTheWindow()
    {
        const Level& rules = cratefall::testing::level(1);
        GameFixture game;
        LevelForm& level = game.shown<LevelForm>(rules.screen);
        const Control& empty = level.control("Label3");
        game.pressAt(rules.screen, pixelAt(empty.Left(), empty.Top()));
        QVERIFY2(!level.Timer1().Enabled(), "a press on the empty Label3 started the level");
        const Control& box2 = level.control(controls::image(2));
        const QPoint onBox2 = pixelAt(box2.Left(), box2.Top());
        for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton})
            game.pressAt(rules.screen, onBox2, button);
        QVERIFY2(!level.Timer1().Enabled(), "another button started the level");
        game.pressAt(rules.screen, onBox2); // on box 2, still disabled
        QVERIFY(level.Timer1().Enabled());
        for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton})
            game.pressAt(rules.screen, onBox2, button);
        QCOMPARE(Access::engine(level).boxHits(2), GameInt(0));
        QCOMPARE(box2.Left(), double(box2.design().left));
        QCOMPARE(level.control(controls::start).Left(), 10000.0);
        QCOMPARE(level.control(controls::start).Top(), 10000.0);
        game.pressAt(rules.screen, onBox2); // now enabled: a hit
        QCOMPARE(Access::engine(level).boxHits(2), GameInt(1));
        QCOMPARE(box2.Left(), double(rules.boxLeft[1]));
        // Both presses of a double-click are hits.
        cratefall::ui::FormWindow* window = level.window();
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {},
                           window->client()->mapTo(window, onBox2));
        QCOMPARE(Access::engine(level).boxHits(2), GameInt(3));
    }

    void barHidesTheBoxBehindIt()
    {
        const Level& rules = cratefall::testing::level(7);
        GameFixture game;
        LevelForm& level = game.shown<LevelForm>(rules.screen);
        game.pressAt(rules.screen, pixelAt(100, 100)); // on a backdrop: reaches the window
        QVERIFY(level.Timer1().Enabled());
        const Control& box1 = level.control(controls::image(1));
        const Control& bar = level.control(controls::image(rules.boxes + 1)); // the upper one
        const int step = rules.fallStep[0];
        game.tick(rules.screen, (int(bar.Top()) + step - 1) / step); // box 1 reaches the bar
        const double top = box1.Top();
        QVERIFY(top > bar.Top() - box1.Height() && top < bar.Top() + bar.Height());
        game.pressAt(rules.screen, pixelAt(bar.Left(), bar.Top() + 40));
        QCOMPARE(Access::engine(level).score(), GameInt(rules.startScore));
        QCOMPARE(box1.Top(), top);
        // The part below the bar is a hit.
        game.pressAt(rules.screen, pixelAt(bar.Left(), bar.Top() + bar.Height() + 90));
        QCOMPARE(Access::engine(level).score(), GameInt(rules.startScore + 1));
    }

    void otherKeysDoNothingAndPWorksBeforeTheStart()
    {
        const std::string_view screen = screens::level(2);
        GameFixture game;
        LevelForm& level = game.shown<LevelForm>(screen);
        for (const char* key : {"a", "q", "Q", "o", "1", " "})
            game.typeKey(screen, Qt::Key_A, QString::fromLatin1(key));
        game.typeKey(screen, Qt::Key_Eacute, QStringLiteral("\u00e9"));
        QVERIFY(game.boxes.empty());
        game.typeKey(screen, Qt::Key_P, QStringLiteral("p"));
        QCOMPARE(game.shownBoxes(), "\"Game Paused.\" (Cratefall)");
        QVERIFY(!level.Timer1().Enabled());
        const Control& start = level.control(controls::start);
        QCOMPARE(start.Left(), double(start.design().left));
    }
};

QTEST_MAIN(LevelPlayTest)
#include "level_play_test.moc"
