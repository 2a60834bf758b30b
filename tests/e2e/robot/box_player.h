#pragma once

#include "box_finder.h"
#include "x_session.h"

#include <chrono>

namespace cratefall::e2e {

struct PlayOptions {
    int margin = 0; // boxes whose top is above this row are left to fall
    std::chrono::milliseconds timeout{0};
};

enum class PlayEnd { NewWindow, WindowGone, TimedOut, AllSent };

struct PlayResult {
    PlayEnd end = PlayEnd::TimedOut;
    int clicks = 0;
};

// Plays a running level like a quick player: looks, clicks the lowest box, and looks again,
// until another window appears (a message box, say), the level window goes, or time is up.
// It clicks at most once between two ticks of the game: a level is won only on the tick that sees
// exactly the target score, so two points between ticks could step over it.
PlayResult playBoxes(const XSession& session, WindowId window, const BoxFinder& finder,
                     const PlayOptions& options);

} // namespace cratefall::e2e
