#include "box_player.h"

#include "click_watch.h"

#include <optional>

namespace cratefall::e2e {
namespace {

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

// Aims at the lowest box, then watches that click until the game has answered it (or plainly
// missed it) and ticked since, and only then aims again.
class Player {
public:
    Player(const XSession& session, WindowId window, const BoxFinder& finder, int margin)
        : m_session(session), m_window(window), m_finder(finder), m_margin(margin)
    {}

    void look(const Sightings& seen)
    {
        if (m_click && m_click->see(seen) == ClickFate::Pending)
            return;
        m_click.reset();
        const auto target = lowestBelow(seen, m_margin);
        if (!target)
            return;
        const BoxSighting& sighting = *seen[std::size_t(*target)];
        m_session.click(m_window, aimPoint(m_finder.box(*target), sighting));
        ++m_clicks;
        m_click.emplace(m_finder, *target, sighting, seen);
    }

    int clicks() const { return m_clicks; }

private:
    const XSession& m_session;
    WindowId m_window;
    const BoxFinder& m_finder;
    int m_margin;
    int m_clicks = 0;
    std::optional<ClickWatch> m_click;
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
