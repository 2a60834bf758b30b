#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace cratefall::bench {

// Records the time of every tick for a steady stretch, then blocks the event loop once and
// records how the ticks resume, then prints the figures and calls done.
class TickSession {
public:
    struct Plan {
        int steadyMs = 10'000;
        int stallMs = 300;
        int recoveryMs = 2'000;
    };

    TickSession(std::string prefix, Plan plan, std::function<void()> done);

    void start();
    // A tick happened now.
    void stamp();

private:
    void stall();
    void finish();

    std::string m_prefix;
    Plan m_plan;
    std::function<void()> m_done;
    QElapsedTimer m_clock;
    std::vector<std::int64_t> m_steady;
    std::vector<std::int64_t> m_afterStall;
    std::int64_t m_stallEndNs = -1;
    bool m_recording = false;
};

// Stamps the session whenever the watched widget moves: the game moves its first box once a tick.
class MoveStamp final : public QObject {
public:
    MoveStamp(QWidget* watched, TickSession& session);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_watched;
    TickSession& m_session;
};

} // namespace cratefall::bench
