#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace cratefall::levels {

inline constexpr int maxBoxes = 6;
inline constexpr int levelCount = 10;

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

struct LevelRecord {
    int level;
    std::string_view screen;
    int boxes;
    int startScore; // running scoring only
    int targetScore;
    std::array<int, maxBoxes> fallStep;
    std::array<int, maxBoxes> boxLeft;
    std::array<int, maxBoxes> clickLeft;
    Scoring scoring;
    BottomLimit bottomLimit;
    std::array<int, maxBoxes> lossTestOrder; // box numbers, 1-based; the first `boxes` are used
    std::optional<WinMessage> win;           // none on the last level
    std::string_view nextScreen;
    std::string_view lossPrefix;
    std::string_view lossTitle;
};

const LevelRecord& levelRecord(int level);
const LevelRecord* levelForScreen(std::string_view screen);
std::span<const LevelRecord> allLevels();

} // namespace cratefall::levels
