// The timer's rules on a clock the test moves by hand: the deadline grid, late and stalled ticks,
// and message boxes. The real clock is measured by the benchmarks; this pins the rules.
#include "screen_test.h"

using cratefall::testing::HandClock;
using cratefall::ui::Enabled;
using cratefall::ui::FormTimer;
using cratefall::ui::systemTickMs;

namespace {

// The PC's system timer: its 1193182 Hz clock divided by 65536, about 18.2 ticks a second.
constexpr double pcTimerTickMs = 1000.0 / (1193182.0 / 65536.0);

// A timer on a hand clock in a running game, the time of every tick written down.
struct Rig {
    Rig()
    {
        game.show(screens::howToPlay); // a loaded screen keeps the program running between ticks
        auto owned = std::make_unique<HandClock>();
        clock = owned.get();
        timer = std::make_unique<FormTimer>(
            game.runtime(), nullptr,
            [this] {
                ticks.push_back(clock->nowMs());
                clock->advance(tickCostMs);
            },
            std::move(owned));
        timer->Interval(1);
        timer->Enabled(Enabled::Yes);
    }

    GameFixture game;
    HandClock* clock = nullptr;
    std::unique_ptr<FormTimer> timer;
    std::vector<double> ticks;
    double tickCostMs = 0.2;
};

} // namespace

class TimerTest : public QObject {
    Q_OBJECT

private slots:
    void ticksKeepTheGridAndNeverBurst()
    {
        Rig rig;
        // Woken a little late every time, as a real event loop wakes: the grid holds the mean.
        for (int i = 0; i < 1000; ++i)
            rig.clock->wake(i % 3 * 0.6);
        QCOMPARE(int(rig.ticks.size()), 1000);
        const double mean = (rig.ticks.back() - rig.ticks.front()) / 999.0;
        QVERIFY2(
            std::abs(mean - pcTimerTickMs) < 0.01,
            qPrintable(QStringLiteral("a tick every %1 ms, not %2").arg(mean).arg(pcTimerTickMs)));

        // A tick that outlasts two periods: the deadlines it covered are dropped, not made up.
        rig.tickCostMs = 2.3 * systemTickMs;
        rig.clock->wake();
        rig.tickCostMs = 0.2;
        const double longTick = rig.ticks.back();
        rig.clock->wake();
        QCOMPARE(int(rig.ticks.size()), 1002);
        // Wake-ups come in whole milliseconds, so a tick falls up to one after its deadline.
        QVERIFY(std::abs(rig.ticks.back() - longTick - 3 * systemTickMs) < 1);

        // A 300 ms stall: one tick when it ends, and the next a whole period after it.
        rig.clock->wake(300);
        const double afterStall = rig.ticks.back();
        rig.clock->wake();
        QCOMPARE(int(rig.ticks.size()), 1004);
        QVERIFY(rig.ticks.back() - afterStall >= systemTickMs);
        QVERIFY(rig.ticks.back() - afterStall < systemTickMs + 1);
    }

    void nothingWhileABoxIsOpenAndAPeriodAfterIt()
    {
        Rig rig;
        rig.clock->wake();
        const std::size_t before = rig.ticks.size();
        bool pendingWhileOpen = true;
        rig.game.whileBoxOpen = [&](const auto&) {
            pendingWhileOpen = rig.clock->pending();
            rig.clock->advance(5000);
            rig.timer->fire();
        };
        rig.game.runtime().msgBox("Game Paused.", "Cratefall");
        QVERIFY(!pendingWhileOpen);
        QCOMPARE(rig.ticks.size(), before);
        const double closedAt = rig.clock->nowMs();
        QCOMPARE(*rig.clock->wakeAt(), closedAt + std::ceil(systemTickMs));
        rig.clock->wake();
        QCOMPARE(rig.ticks.size(), before + 1);
    }
};

QTEST_MAIN(TimerTest)
#include "timer_test.moc"
