#include "ui/form_timer.h"

#include "ui/runtime.h"
#include "ui/units.h"

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace cratefall::ui {
namespace {

// Timer wake-ups this late keep the grid; the next tick still comes most of a period later. In a
// page the one thread that runs the game also draws the page and takes its input, which holds a
// wake-up back by up to a frame (measured up to 17 ms while a level was played).
#ifdef Q_OS_WASM
constexpr double maxLatenessMs = 20.0;
#else
constexpr double maxLatenessMs = 10.0;
#endif

class QtClock final : public TimerClock {
public:
    QtClock()
    {
        m_timer.setSingleShot(true);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (m_wake)
                m_wake();
        });
        m_elapsed.start();
    }

    double nowMs() const override { return double(m_elapsed.nsecsElapsed()) / 1e6; }
    void wakeIn(int ms, std::function<void()> wake) override
    {
        m_wake = std::move(wake);
        m_timer.start(ms);
    }
    void cancel() override { m_timer.stop(); }
    bool pending() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
    QElapsedTimer m_elapsed;
    std::function<void()> m_wake;
};

} // namespace

std::unique_ptr<TimerClock> systemClock()
{
    return std::make_unique<QtClock>();
}

FormTimer::FormTimer(Runtime& runtime, const Form* screen, std::function<void()> tick,
                     std::unique_ptr<TimerClock> clock)
    : m_runtime(runtime), m_screen(screen), m_tick(std::move(tick)), m_clock(std::move(clock))
{
    m_runtime.addTimer(this);
}

FormTimer::~FormTimer()
{
    m_runtime.removeTimer(this);
}

void FormTimer::Interval(int milliseconds)
{
    m_periodMs = milliseconds < timerResolutionMs ? systemTickMs : double(milliseconds);
}

void FormTimer::Enabled(ui::Enabled enabled)
{
    const bool on = enabled == ui::Enabled::Yes;
    if (on == m_enabled)
        return;
    m_enabled = on;
    if (on)
        startGrid();
    else
        m_clock->cancel();
}

void FormTimer::fire()
{
    if (!m_enabled || m_held || m_inTick || m_runtime.modal() || m_runtime.ended())
        return;
    m_inTick = true;
    m_runtime.dispatch(m_tick, m_screen);
    m_inTick = false;
}

void FormTimer::hold()
{
    m_held = true;
    m_clock->cancel();
}

void FormTimer::resume()
{
    m_held = false;
    if (m_enabled)
        startGrid();
}

void FormTimer::startGrid()
{
    m_nextMs = m_clock->nowMs() + m_periodMs;
    if (!m_held && !m_runtime.modal())
        arm();
}

void FormTimer::arm()
{
    const auto wait = static_cast<int>(std::ceil(std::max(0.0, m_nextMs - m_clock->nowMs())));
    m_clock->wakeIn(wait, [this] { onTimeout(); });
}

void FormTimer::onTimeout()
{
    const double now = m_clock->nowMs();
    if (now + 0.05 < m_nextMs) { // woke early: wait for the deadline itself
        arm();
        return;
    }
    const double lateMs = now - m_nextMs;
    fire();
    if (!m_enabled || m_held || m_clock->pending())
        return;
    const double after = m_clock->nowMs();
    // A tick held up by a busy event loop starts a new grid from itself: on the old grid the
    // next deadline could follow it at once, and two quick steps look like a jump to the player.
    m_nextMs = lateMs > maxLatenessMs ? now + m_periodMs : m_nextMs + m_periodMs;
    if (m_nextMs <= after) // the tick outlasted a period: skip the missed deadlines, no catching up
        m_nextMs += std::ceil((after - m_nextMs) / m_periodMs) * m_periodMs;
    if (m_nextMs <= after)
        m_nextMs += m_periodMs;
    arm();
}

} // namespace cratefall::ui
