#pragma once

#include "box_finder.h"
#include "x_session.h"

#include <QImage>
#include <chrono>
#include <optional>
#include <vector>

// Watching a running level's boxes in looks taken as fast as the robot can, in one process, so
// that a loaded machine's slow start of a program for each look cannot let the level run on to its
// loss between them.
namespace cratefall::e2e {

using Sightings = std::vector<std::optional<BoxSighting>>;

// Whether the game has ticked between two looks: some box seen in both stands lower. Only a tick
// moves a box down; a click sends one up.
bool boxesFell(const Sightings& before, const Sightings& after);

enum class ClickFate { Pending, Answered, Missed };

// What became of a click on a box, judged only from what the screen shows after it, never from
// the time it takes: however slow the game, a click it has answered sends the box up, and one
// still unanswered after several ticks of the game has missed (the game reads its input between
// two ticks). Answered is told only once a tick has followed the jump, so the game has had a
// tick to judge the new score before anything else happens.
class ClickWatch {
public:
    ClickWatch(const BoxFinder& finder, int target, const BoxSighting& aimed,
               const Sightings& atClick);

    ClickFate see(const Sightings& seen);

private:
    const BoxFinder& m_finder;
    int m_target;
    int m_aimedTop;
    Sightings m_last;
    bool m_jumped = false;
    int m_ticksWithoutJump = 0;
    ClickFate m_fate = ClickFate::Pending;
};

// A box caught in a look: which one, where, and the whole look.
struct CaughtBox {
    int index = 0;
    BoxSighting sighting;
    Sightings all;
    QImage shot;
};

// Looks until some box's top lies between the two rows.
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

Fall awaitFall(const XSession& session, WindowId window, const BoxFinder& finder,
               std::chrono::milliseconds timeout);

enum class PlayEnd { NewWindow, WindowGone, TimedOut, AllSent };

struct PlayResult {
    PlayEnd end = PlayEnd::TimedOut;
    int clicks = 0;
};

// Plays a running level like a quick player: looks, clicks the lowest box whose top is at the
// margin row or below, and looks again, until another window appears (a message box, say), the
// level window goes, or time is up. It clicks at most once between two ticks of the game: a level
// is won only on the tick that sees exactly the target score, so two points between ticks could
// step over it.
PlayResult playBoxes(const XSession& session, WindowId window, const BoxFinder& finder, int margin,
                     std::chrono::milliseconds timeout);

} // namespace cratefall::e2e
