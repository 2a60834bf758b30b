#pragma once

#include "box_finder.h"

#include <optional>
#include <vector>

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
    ClickFate fate() const { return m_fate; }

private:
    const BoxFinder& m_finder;
    int m_target;
    int m_aimedTop;
    Sightings m_last;
    bool m_jumped = false;
    int m_ticksWithoutJump = 0;
    ClickFate m_fate = ClickFate::Pending;
};

} // namespace cratefall::e2e
