#include "box_await.h"

#include <algorithm>

namespace cratefall::e2e {
namespace {

// The game reads the pointer between two ticks, so a click sent before a tick is answered by the
// one after it at the latest; a look may show a tick late, hence a few to spare.
constexpr int ticksToAnswer = 4;

// Looks at the window as fast as it can until `holds`, given each look and what it shows, does.
template <class Holds>
void watchLooks(const XSession& session, WindowId window, const BoxFinder& finder,
                std::chrono::milliseconds timeout, Holds holds)
{
    waitUntil(
        [&] {
            const QImage shot = session.grab(window);
            return !shot.isNull() && holds(shot, finder.find(shot));
        },
        timeout, std::chrono::milliseconds(0));
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

} // namespace

bool boxesFell(const Sightings& before, const Sightings& after)
{
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i)
        if (before[i] && after[i] && after[i]->top > before[i]->top)
            return true;
    return false;
}

ClickWatch::ClickWatch(const BoxFinder& finder, int target, const BoxSighting& aimed,
                       const Sightings& atClick)
    : m_finder(finder), m_target(target), m_aimedTop(aimed.top), m_last(atClick)
{}

ClickFate ClickWatch::see(const Sightings& seen)
{
    if (m_fate != ClickFate::Pending)
        return m_fate;
    const bool ticked = boxesFell(m_last, seen);
    const auto& target = seen[std::size_t(m_target)];
    const int jump = m_finder.box(m_target).waiting.height() / 2;
    if (m_jumped) {
        if (ticked)
            m_fate = ClickFate::Answered;
    } else if (target && target->top < m_aimedTop - jump) {
        m_jumped = true;
    } else if (ticked && ++m_ticksWithoutJump >= ticksToAnswer) {
        m_fate = ClickFate::Missed;
    }
    m_last = seen;
    return m_fate;
}

std::optional<CaughtBox> awaitBoxBetween(const XSession& session, WindowId window,
                                         const BoxFinder& finder, int fromTop, int toTop,
                                         std::chrono::milliseconds timeout)
{
    std::optional<CaughtBox> caught;
    watchLooks(session, window, finder, timeout, [&](const QImage& shot, const Sightings& all) {
        for (int i = 0; i < int(all.size()); ++i)
            if (const auto& s = all[std::size_t(i)]; s && s->top >= fromTop && s->top <= toTop)
                caught = CaughtBox{i, *s, all, shot};
        return caught.has_value();
    });
    return caught;
}

FollowedClick followClick(const XSession& session, WindowId window, const BoxFinder& finder,
                          ClickWatch& watch, std::chrono::milliseconds timeout)
{
    FollowedClick followed;
    watchLooks(session, window, finder, timeout, [&](const QImage& shot, const Sightings& seen) {
        followed = {watch.see(seen), shot};
        return followed.fate != ClickFate::Pending;
    });
    return followed;
}

Fall awaitFall(const XSession& session, WindowId window, const BoxFinder& finder,
               std::chrono::milliseconds timeout)
{
    Fall fall;
    Sightings from;
    watchLooks(session, window, finder, timeout, [&](const QImage& shot, const Sightings& now) {
        if (from.empty()) {
            if (std::ranges::all_of(now, [](const auto& s) { return s.has_value(); })) {
                from = now;
                fall.from = shot;
            }
            return false;
        }
        fall.to = shot;
        fall.moved = fall.seen = 0;
        for (std::size_t i = 0; i < now.size(); ++i)
            if (from[i] && now[i]) {
                ++fall.seen;
                fall.moved += now[i]->top > from[i]->top ? 1 : 0;
            }
        return fall.seen == finder.boxCount() && fall.moved == fall.seen;
    });
    return fall;
}

// Aims at the lowest box, then watches that click until the game has answered it (or plainly
// missed it) and ticked since, and only then aims again.
PlayResult playBoxes(const XSession& session, WindowId window, const BoxFinder& finder, int margin,
                     std::chrono::milliseconds timeout)
{
    session.watchNewWindows();
    std::optional<ClickWatch> click;
    int clicks = 0;
    const auto deadline = Clock::now() + timeout;
    while (Clock::now() < deadline) {
        if (session.newWindowMapped())
            return {PlayEnd::NewWindow, clicks};
        const QImage shot = session.grab(window);
        if (shot.isNull() || !session.isViewable(window))
            return {PlayEnd::WindowGone, clicks};
        const Sightings seen = finder.find(shot);
        if (click && click->see(seen) == ClickFate::Pending)
            continue;
        click.reset();
        if (const auto target = lowestBelow(seen, margin)) {
            const BoxSighting& sighting = *seen[std::size_t(*target)];
            session.click(window, aimPoint(finder.box(*target), sighting));
            ++clicks;
            click.emplace(finder, *target, sighting, seen);
        }
    }
    return {PlayEnd::TimedOut, clicks};
}

} // namespace cratefall::e2e
