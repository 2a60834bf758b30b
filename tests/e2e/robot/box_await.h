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

// Two looks of a running level: the first to find every box, and the last, which found every box
// lower than the first did, or the one the time ran out on.
struct Fall {
    QImage from;
    QImage to;
    int moved = 0; // boxes seen lower in `to` than in `from`
    int seen = 0;  // boxes seen in both
};

// Looks as fast as it can, in one process, so that a loaded machine's slow start of a program
// for each look cannot let the level run on to its loss between them.
Fall awaitFall(const XSession& session, WindowId window, const BoxFinder& finder,
               std::chrono::milliseconds timeout);

} // namespace cratefall::e2e
