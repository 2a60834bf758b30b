#pragma once

#include "ui/design.h"

#include <QElapsedTimer>
#include <QTimer>
#include <functional>

namespace cratefall::ui {

class Runtime;

// A screen's Timer1. Ticks fall on a grid of deadlines so the mean rate holds exactly; a tick
// that comes too late is dropped rather than made up, and the first tick after a stall starts a
// new grid, so a stall never ends in a burst. A tick is never raised while the previous one
// runs, nor while a message box is open.
class FormTimer {
public:
    FormTimer(Runtime& runtime, std::function<void()> tick);
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
    void startGrid();
    void arm();
    void onTimeout();

    Runtime& m_runtime;
    std::function<void()> m_tick;
    QTimer m_timer;
    QElapsedTimer m_clock;
    double m_periodMs = 0;
    double m_nextMs = 0;
    bool m_enabled = false;
    bool m_held = false;
    bool m_inTick = false;
};

} // namespace cratefall::ui
