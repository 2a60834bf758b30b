#include "box_await.h"

#include <algorithm>

namespace cratefall::e2e {

std::optional<CaughtBox> awaitBoxBetween(const XSession& session, WindowId window,
                                         const BoxFinder& finder, int fromTop, int toTop,
                                         std::chrono::milliseconds timeout)
{
    std::optional<CaughtBox> caught;
    waitUntil(
        [&] {
            QImage shot = session.grab(window);
            if (shot.isNull())
                return false;
            Sightings all = finder.find(shot);
            for (int i = 0; i < int(all.size()); ++i)
                if (const auto& s = all[std::size_t(i)]; s && s->top >= fromTop && s->top <= toTop)
                    caught = CaughtBox{i, *s, all, shot};
            return caught.has_value();
        },
        timeout, std::chrono::milliseconds(0));
    return caught;
}

FollowedClick followClick(const XSession& session, WindowId window, const BoxFinder& finder,
                          ClickWatch& watch, std::chrono::milliseconds timeout)
{
    FollowedClick followed;
    waitUntil(
        [&] {
            QImage shot = session.grab(window);
            if (shot.isNull())
                return false;
            followed.shot = shot;
            followed.fate = watch.see(finder.find(shot));
            return followed.fate != ClickFate::Pending;
        },
        timeout, std::chrono::milliseconds(0));
    return followed;
}

Fall awaitFall(const XSession& session, WindowId window, const BoxFinder& finder,
               std::chrono::milliseconds timeout)
{
    Fall fall;
    Sightings from;
    const auto everyBox = [](const Sightings& all) {
        return std::ranges::all_of(all, [](const auto& s) { return s.has_value(); });
    };
    waitUntil(
        [&] {
            QImage shot = session.grab(window);
            if (shot.isNull())
                return false;
            const Sightings now = finder.find(shot);
            if (from.empty()) {
                if (everyBox(now)) {
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
        },
        timeout, std::chrono::milliseconds(0));
    return fall;
}

} // namespace cratefall::e2e
