#pragma once

#include <string>
#include <vector>

namespace cratefall::levels {
class LevelForm;
}

namespace cratefall::bench {

// How a click reaches a box: as a mouse press delivered to the box's widget, or as the box's
// click handler run through the runtime, with no event in between.
enum class ClickRoute { Press, Handler };

std::string boxName(int box);

// The boxes a late player would click now: each would be lost on the tick after next. Clicking
// only these keeps a level running for as long as possible before its target score is reached.
std::vector<int> boxesAboutToFall(const levels::LevelForm& level);

void clickBox(levels::LevelForm& level, int box, ClickRoute route);

// Clicks every box that is about to fall; returns how many were clicked.
int keepAlive(levels::LevelForm& level, ClickRoute route);

// Starts a waiting level as a player does, by pressing "Click to Start".
void pressStart(levels::LevelForm& level, ClickRoute route);

} // namespace cratefall::bench
