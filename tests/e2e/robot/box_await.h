#pragma once

#include "box_finder.h"
#include "click_watch.h"
#include "x_session.h"

#include <QImage>
#include <chrono>
#include <optional>

namespace cratefall::e2e {

// A box caught in a look: which one, where, and the whole look.
struct CaughtBox {
    int index = 0;
    BoxSighting sighting;
    Sightings all;
    QImage shot;
};

// Looks as fast as it can until some box's top lies between the two rows.
std::optional<CaughtBox> awaitBoxBetween(const XSession& session, WindowId window,
                                         const BoxFinder& finder, int fromTop, int toTop,
                                         std::chrono::milliseconds timeout);

struct FollowedClick {
    ClickFate fate = ClickFate::Pending; // still pending when time ran out
    QImage shot;                         // the look that settled it, or the last one
};

// Looks on after a click until the watch can tell what became of it.
FollowedClick followClick(const XSession& session, WindowId window, const BoxFinder& finder,
                          ClickWatch& watch, std::chrono::milliseconds timeout);

} // namespace cratefall::e2e
