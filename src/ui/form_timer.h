#pragma once

#include "ui/design.h"

#include <functional>
#include <memory>

namespace cratefall::testing {
struct Access;
}

namespace cratefall::ui {

class Form;
class Runtime;

// Where a timer reads the time and asks to be woken. The game's is Qt's monotonic clock with a
// precise single-shot timer; a test brings one it moves by hand.
class TimerClock {
public:
    virtual ~TimerClock() = default;
    virtual double nowMs() const = 0;
    // Calls wake once, about ms from now; a new request replaces the one before.
    virtual void wakeIn(int ms, std::function<void()> wake) = 0;
    virtual void cancel() = 0;
    virtual bool pending() const = 0;
};

std::unique_ptr<TimerClock> systemClock();

// A screen's Timer1. Ticks fall on a grid of deadlines so the mean rate holds exactly; a tick
// that comes too late is dropped rather than made up, and the first tick after a stall starts a
// new grid, so a stall never ends in a burst. A tick is never raised while the previous one
// runs, nor while a message box is open.
class FormTimer {
public:
    // screen: the one whose handler a tick is (null for none).
    FormTimer(Runtime& runtime, const Form* screen, std::function<void()> tick,
              std::unique_ptr<TimerClock> clock = systemClock());
    ~FormTimer();
    FormTimer(const FormTimer&) = delete;
    FormTimer& operator=(const FormTimer&) = delete;

    void Interval(int milliseconds);
    bool Enabled() const { return m_enabled; }
    void Enabled(ui::Enabled enabled);

    // Raises one tick now, as the timer would; tests and the exerciser drive the game with it.
    void fire();

    void hold();
    void resume();

private:
    friend struct testing::Access;

    void startGrid();
    void arm();
    void onTimeout();

    Runtime& m_runtime;
    const Form* m_screen;
    std::function<void()> m_tick;
    std::unique_ptr<TimerClock> m_clock;
    double m_periodMs = 0;
    double m_nextMs = 0;
    bool m_enabled = false;
    bool m_held = false;
    bool m_inTick = false;
};

} // namespace cratefall::ui
