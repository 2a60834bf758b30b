#include "box_await.h"

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

} // namespace cratefall::e2e
