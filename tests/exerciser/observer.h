#pragma once

#include "game_session.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace cratefall::ui {
class Form;
}

namespace cratefall::exerciser {

using Violation = std::optional<std::string>;

// Everything a blocked event could change if it got through: handlers started, screens loaded,
// boxes, the exit, every number of the loaded screens and whether their timers run.
struct GameState {
    std::uint64_t handlers = 0;
    std::vector<std::string> loaded;
    std::size_t boxes = 0;
    std::optional<int> exit;
    std::vector<int> numbers;
    bool operator==(const GameState&) const = default;
};

GameState captureState(GameSession& session);
std::string describeChange(const GameState& before, const GameState& after);

// At most one game screen; exactly one visible window for each loaded screen and no other.
Violation checkScreens(GameSession& session);

// Watches the levels between events: each one's state within its bounds, a score that never
// goes back, and ticks that end a level only through a win or a loss with the right boxes.
class LevelWatch {
public:
    Violation afterEvent(GameSession& session);
    // A fresh runtime: every screen starts unloaded.
    void newGame() { m_seen.clear(); }
    // Around one tick of one screen's timer.
    struct TickRecord {
        std::string screen;
        std::size_t boxesBefore = 0;
        std::vector<int> titleTops;
        std::uint64_t handlers = 0;
    };
    TickRecord beforeTick(GameSession& session, ui::Form& form) const;
    Violation afterTick(GameSession& session, const TickRecord& before);

    std::map<std::string, int> wins;
    std::map<std::string, int> losses;

private:
    struct Seen {
        int score = 0;
    };
    Violation checkLevel(ui::Form& form);
    Violation afterLevelTick(GameSession& session, const TickRecord& before);

    std::map<std::string, Seen, std::less<>> m_seen;
};

} // namespace cratefall::exerciser
