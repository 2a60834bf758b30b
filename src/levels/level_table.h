#pragma once

#include "shell/screen_names.h"
#include "ui/design.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace cratefall::levels {

inline constexpr int maxBoxes = 6;
inline constexpr int maxControls = 20;

// Level 1 adds up the clicks on each box at every tick; the later levels keep one running score
// that starts where the level before was won.
enum class Scoring { HitCount, Running };

// Level 1 loses a box when its bottom edge reaches the window's Height, the others only when
// its top edge does.
enum class BottomLimit { BoxBottom, BoxTop };

struct WinMessage {
    std::string_view text;
    std::optional<std::string_view> title; // none: the application's title
};

// A level's controls, front to back, held in its own entry of the table.
struct ControlList {
    std::array<ui::ControlDesign, maxControls> rows{};
    std::size_t count = 0;
};

template <class... Rows> constexpr ControlList frontToBack(const Rows&... rows)
{
    static_assert(sizeof...(rows) <= maxControls, "raise maxControls");
    return {{rows...}, sizeof...(rows)};
}

inline constexpr std::array<int, maxBoxes> inOrder{1, 2, 3, 4, 5, 6};
inline constexpr std::string_view runningLoss = "Game Over. Your total score was ";

// One level: its window, its controls and its rules. An entry of the table sets only what
// differs from the usual level: a running score, a box lost when its top reaches the bottom,
// boxes tested for a loss in their order, a "Thingfall" loss, and a clicked box put back at its
// own left. Boxes are numbered from 1.
struct Level {
    // Set from the entry's place in the table.
    int number = 0;
    std::string_view screen = {};
    std::string_view nextScreen = {}; // the next level's, or the victory screen's after the last

    ui::FormDesign window = {}; // its controls come from the list below
    ControlList controls = {};

    int boxes = 0;
    std::array<int, maxBoxes> fallStep{};
    std::array<int, maxBoxes> boxLeft{};
    std::optional<std::array<int, maxBoxes>> clickLeft = {}; // none: boxLeft
    int startScore = 0;                                      // running scoring only
    int targetScore = 0;
    Scoring scoring = Scoring::Running;
    BottomLimit bottomLimit = BottomLimit::BoxTop;
    std::array<int, maxBoxes> lossTestOrder = inOrder; // the first `boxes` are used
    std::optional<WinMessage> win = {};                // every level's but the last's
    std::string_view lossPrefix = runningLoss;
    std::string_view lossTitle = "Thingfall";

    ui::FormDesign design() const
    {
        ui::FormDesign design = window;
        design.controls = std::span(controls.rows.data(), controls.count);
        return design;
    }
    constexpr bool isLast() const { return nextScreen == shell::screens::victory; }
    int clickLeftOf(int box) const { return clickLeft.value_or(boxLeft)[std::size_t(box - 1)]; }
};

// Every level, level 1 first; as many as the table has entries.
std::span<const Level> table();

} // namespace cratefall::levels
