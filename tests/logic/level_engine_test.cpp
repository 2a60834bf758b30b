// The level rules on their own, against a view that records what the engine asks of a screen.
#ifndef Q_MOC_RUN // moc cannot parse the C++20 library headers these pull in
#include "levels/level_engine.h"
#include "testing/test_access.h"
#endif

#include <QTest>
#include <vector>

using namespace cratefall::levels;
using cratefall::testing::level;
using cratefall::ui::GameInt;
using cratefall::ui::OverflowError;

namespace {

struct Move {
    int box;
    int left;
    int top;
};

class RecordingView final : public LevelView {
public:
    void moveBox(int box, int left, GameInt top) override
    {
        moves.push_back({box, left, top.value()});
    }
    void showScore(const std::string& text) override { scores.push_back(text); }
    double windowHeight() const override { return height; }
    double boxHeight(int) const override { return boxSize; }

    std::vector<Move> moves;
    std::vector<std::string> scores;
    double height = 9090;
    double boxSize = 855;
};

int ticksUntil(LevelEngine& engine, RecordingView& view, TickOutcome wanted, int limit = 1000)
{
    for (int tick = 1; tick <= limit; ++tick)
        if (engine.tick(view) == wanted)
            return tick;
    return -1;
}

} // namespace

class LevelEngineTest : public QObject {
    Q_OBJECT

private slots:
    void runningScoringMovesOnceMoreOnTheWinningTick()
    {
        LevelEngine engine(level(2));
        engine.load();
        RecordingView view;
        for (int i = 0; i < 40; ++i)
            engine.click(1 + i % 3, view);
        view.moves.clear();
        QCOMPARE(engine.tick(view), TickOutcome::Win);
        QCOMPARE(int(view.moves.size()), 3);
        QCOMPARE(view.moves[1].top, 94); // box 2 fell from the top by its own step
        QCOMPARE(view.scores.back(), std::string("70"));
    }

    void boxExactlyAtItsLimitIsLost()
    {
        // Bottom edge rule: the limit is the window's Height less the box's own height.
        LevelEngine first(level(1));
        first.load();
        RecordingView view;
        view.height = 855 + 85 * 20;
        QCOMPARE(ticksUntil(first, view, TickOutcome::Loss), 20);
        // The top edge rule's equality is level 3's loss tick in the level table test.
    }

    void scoreOverflowIsAnError()
    {
        LevelEngine engine(level(10));
        engine.load();
        RecordingView view;
        for (int i = 570; i < GameInt::max; ++i)
            engine.click(1, view);
        QCOMPARE(engine.score(), GameInt(GameInt::max));
        QVERIFY_THROWS_EXCEPTION(OverflowError, engine.click(2, view));
        // The box went to the top before the point that overflowed.
        QCOMPARE(view.moves.back().box, 2);
        QCOMPARE(engine.boxTop(2), GameInt(0));
    }

    void hitCountOverflowMovesNothing()
    {
        LevelEngine engine(level(1));
        engine.load();
        RecordingView view;
        for (int i = 0; i < GameInt::max; ++i)
            engine.click(3, view);
        engine.tick(view);
        const auto before = view.moves.size();
        QVERIFY_THROWS_EXCEPTION(OverflowError, engine.click(3, view));
        QCOMPARE(view.moves.size(), before);
        QCOMPARE(engine.boxTop(3), GameInt(83));
    }
};

QTEST_GUILESS_MAIN(LevelEngineTest)
#include "level_engine_test.moc"
