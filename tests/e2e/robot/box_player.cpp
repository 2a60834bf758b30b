#include "box_player.h"

#include <algorithm>

namespace cratefall::e2e {
namespace {

using Sightings = std::vector<std::optional<BoxSighting>>;
using std::chrono::milliseconds;

// A click the game has not answered by then missed its box.
constexpr milliseconds clickAnswerTime{250};

std::vector<int> topsOf(const Sightings& sightings)
{
    std::vector<int> tops;
    for (const auto& sighting : sightings)
        tops.push_back(sighting ? sighting->top : -1'000'000);
    return tops;
}

std::optional<int> lowestBelow(const Sightings& sightings, int margin)
{
    std::optional<int> lowest;
    for (int i = 0; i < int(sightings.size()); ++i) {
        const auto& sighting = sightings[std::size_t(i)];
        if (sighting && sighting->top >= margin &&
            (!lowest || sighting->top > sightings[std::size_t(*lowest)]->top))
            lowest = i;
    }
    return lowest;
}

// One click's life: aimed, answered by the game (the box jumps up), then a tick seen after it.
class Player {
public:
    Player(const XSession& session, WindowId window, const BoxFinder& finder, int margin)
        : m_session(session), m_window(window), m_finder(finder), m_margin(margin)
    {}

    void look(const Sightings& seen)
    {
        switch (m_stage) {
        case Stage::Aim:
            aim(seen);
            break;
        case Stage::AwaitAnswer:
            awaitAnswer(seen);
            break;
        case Stage::AwaitTick:
            if (topsOf(seen) != m_afterAnswer)
                m_stage = Stage::Aim;
            break;
        }
    }

    int clicks() const { return m_clicks; }

private:
    enum class Stage { Aim, AwaitAnswer, AwaitTick };

    void aim(const Sightings& seen)
    {
        const auto target = lowestBelow(seen, m_margin);
        if (!target)
            return;
        const BoxSighting& sighting = *seen[std::size_t(*target)];
        m_session.click(m_window, aimPoint(m_finder.box(*target), sighting));
        ++m_clicks;
        m_target = *target;
        m_targetTop = sighting.top;
        m_clickedAt = Clock::now();
        m_stage = Stage::AwaitAnswer;
    }

    void awaitAnswer(const Sightings& seen)
    {
        const auto& sighting = seen[std::size_t(m_target)];
        const int jump = m_finder.box(m_target).waiting.height() / 2;
        if (sighting && sighting->top < m_targetTop - jump) {
            m_afterAnswer = topsOf(seen);
            m_stage = Stage::AwaitTick;
        } else if (Clock::now() - m_clickedAt > clickAnswerTime) {
            m_stage = Stage::Aim;
        }
    }

    const XSession& m_session;
    WindowId m_window;
    const BoxFinder& m_finder;
    int m_margin;
    Stage m_stage = Stage::Aim;
    int m_clicks = 0;
    int m_target = 0;
    int m_targetTop = 0;
    Clock::time_point m_clickedAt;
    std::vector<int> m_afterAnswer;
};

} // namespace

PlayResult playBoxes(const XSession& session, WindowId window, const BoxFinder& finder,
                     const PlayOptions& options)
{
    session.watchNewWindows();
    Player player(session, window, finder, options.margin);
    const auto deadline = Clock::now() + options.timeout;
    while (Clock::now() < deadline) {
        if (session.newWindowMapped())
            return {PlayEnd::NewWindow, player.clicks()};
        const QImage shot = session.grab(window);
        if (shot.isNull() || !session.isViewable(window))
            return {PlayEnd::WindowGone, player.clicks()};
        player.look(finder.find(shot));
    }
    return {PlayEnd::TimedOut, player.clicks()};
}

} // namespace cratefall::e2e
