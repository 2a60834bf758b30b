#include "common/tick_session.h"

#include "common/tick_stats.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <thread>

namespace cratefall::bench {

TickSession::TickSession(std::string prefix, Plan plan, std::function<void()> done)
    : m_prefix(std::move(prefix)), m_plan(plan), m_done(std::move(done))
{}

void TickSession::start()
{
    m_clock.start();
    m_recording = true;
    QTimer::singleShot(m_plan.steadyMs, Qt::PreciseTimer, [this] { stall(); });
}

void TickSession::stamp()
{
    if (!m_recording)
        return;
    const std::int64_t now = m_clock.nsecsElapsed();
    (m_stallEndNs < 0 ? m_steady : m_afterStall).push_back(now);
}

void TickSession::stall()
{
    // A handler that hogs the thread, as a slow disk or a swapped-out page would.
    std::this_thread::sleep_for(std::chrono::milliseconds(m_plan.stallMs));
    m_stallEndNs = m_clock.nsecsElapsed();
    QTimer::singleShot(m_plan.recoveryMs, Qt::PreciseTimer, [this] { finish(); });
}

void TickSession::finish()
{
    m_recording = false;
    const std::vector<double> gaps = gapsMs(m_steady);
    printTickReport(m_prefix, summarise(gaps), recovery(m_afterStall, m_stallEndNs));
    m_done();
}

MoveStamp::MoveStamp(QWidget* watched, TickSession& session)
    : m_watched(watched), m_session(session)
{
    m_watched->installEventFilter(this);
}

bool MoveStamp::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watched && event->type() == QEvent::Move)
        m_session.stamp();
    return false;
}

} // namespace cratefall::bench
