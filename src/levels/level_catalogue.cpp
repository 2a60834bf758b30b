#include "levels/level_catalogue.h"

#include <stdexcept>

namespace cratefall::levels {
namespace {

constexpr std::string_view runningLoss = "Game Over. Your total score was ";
constexpr std::array<int, maxBoxes> inOrder{1, 2, 3, 4, 5, 6};

// clang-format off
constexpr std::array<LevelRecord, levelCount> catalogue{{
    {.level = 1, .screen = "Form2", .boxes = 3, .startScore = 0, .targetScore = 30,
     .fallStep = {85, 81, 83}, .boxLeft = {0, 1400, 2800}, .clickLeft = {0, 1400, 2800},
     .scoring = Scoring::HitCount, .bottomLimit = BottomLimit::BoxBottom, .lossTestOrder = {3, 2, 1},
     .win = WinMessage{" You beat level one. Press ok for the next level", std::nullopt},
     .nextScreen = "Form3", .lossPrefix = "Game Over.  Your score was ", .lossTitle = "Tilefall"},
    {.level = 2, .screen = "Form3", .boxes = 3, .startScore = 30, .targetScore = 70,
     .fallStep = {91, 94, 87}, .boxLeft = {80, 1390, 2810}, .clickLeft = {80, 1390, 2810},
     .scoring = Scoring::Running, .bottomLimit = BottomLimit::BoxTop, .lossTestOrder = inOrder,
     .win = WinMessage{"You beat level 2. Press Ok to go to the next level", "Thingfall"},
     .nextScreen = "Form4", .lossPrefix = runningLoss, .lossTitle = "Thingfall"},
    {.level = 3, .screen = "Form4", .boxes = 4, .startScore = 70, .targetScore = 120,
     .fallStep = {108, 106, 96, 101}, .boxLeft = {80, 1390, 2760, 3960}, .clickLeft = {80, 1440, 2760, 3960},
     .scoring = Scoring::Running, .bottomLimit = BottomLimit::BoxTop, .lossTestOrder = inOrder,
     .win = WinMessage{"You beat level 3. Press Ok to go to the next level", "Thingfall"},
     .nextScreen = "Form5", .lossPrefix = runningLoss, .lossTitle = "Thingfall"},
    {.level = 4, .screen = "Form5", .boxes = 4, .startScore = 120, .targetScore = 180,
     .fallStep = {108, 114, 111, 116}, .boxLeft = {80, 1390, 2760, 3960}, .clickLeft = {80, 1440, 2760, 3960},
     .scoring = Scoring::Running, .bottomLimit = BottomLimit::BoxTop, .lossTestOrder = inOrder,
     .win = WinMessage{"You beat level 4. Press Ok to go to the next level.", "Cratefall"},
     .nextScreen = "Form6", .lossPrefix = runningLoss, .lossTitle = "Thingfall"},
    {.level = 5, .screen = "Form6", .boxes = 4, .startScore = 180, .targetScore = 250,
     .fallStep = {122, 124, 117, 121}, .boxLeft = {80, 1390, 2760, 3960}, .clickLeft = {80, 1440, 2760, 3960},
     .scoring = Scoring::Running, .bottomLimit = BottomLimit::BoxTop, .lossTestOrder = inOrder,
     .win = WinMessage{"You beat level 5. Press Ok to go to the next level", "Cratefall"},
     .nextScreen = "Form7", .lossPrefix = runningLoss, .lossTitle = "Thingfall"},
    {.level = 6, .screen = "Form7", .boxes = 5, .startScore = 250, .targetScore = 320,
     .fallStep = {124, 123, 122, 114, 123}, .boxLeft = {360, 1680, 3120, 4438, 5760}, .clickLeft = {360, 1680, 3120, 4438, 5760},
     .scoring = Scoring::Running, .bottomLimit = BottomLimit::BoxTop, .lossTestOrder = inOrder,
     .win = WinMessage{"You beat level 6. Press Ok to go to the next level.", "Cratefall"},
     .nextScreen = "Form8", .lossPrefix = runningLoss, .lossTitle = "Thingfall"},
    {.level = 7, .screen = "Form8", .boxes = 5, .startScore = 320, .targetScore = 400,
     .fallStep = {132, 136, 133, 127, 131}, .boxLeft = {360, 1680, 3120, 4438, 5760}, .clickLeft = {360, 1680, 3120, 4438, 5760},
     .scoring = Scoring::Running, .bottomLimit = BottomLimit::BoxTop, .lossTestOrder = inOrder,
     .win = WinMessage{"You beat level 7. Press Ok to go to the next level.", "Cratefall"},
     .nextScreen = "Form9", .lossPrefix = runningLoss, .lossTitle = "Thingfall"},
    {.level = 8, .screen = "Form9", .boxes = 5, .startScore = 400, .targetScore = 480,
     .fallStep = {133, 129, 134, 131, 127}, .boxLeft = {360, 1680, 3120, 4438, 5760}, .clickLeft = {360, 1680, 3120, 4438, 5760},
     .scoring = Scoring::Running, .bottomLimit = BottomLimit::BoxTop, .lossTestOrder = inOrder,
     .win = WinMessage{"You beat level 8. Press Ok to go to the next level.", "Cratefall"},
     .nextScreen = "Form10", .lossPrefix = runningLoss, .lossTitle = "Thingfall"},
    {.level = 9, .screen = "Form10", .boxes = 6, .startScore = 480, .targetScore = 570,
     .fallStep = {146, 119, 144, 113, 137, 145}, .boxLeft = {360, 1680, 3120, 4438, 5760, 7080}, .clickLeft = {360, 1680, 3120, 4438, 5760, 7080},
     .scoring = Scoring::Running, .bottomLimit = BottomLimit::BoxTop, .lossTestOrder = inOrder,
     .win = WinMessage{"You beat level 9. Press Ok to go to the next level.", "Cratefall"},
     .nextScreen = "Form11", .lossPrefix = runningLoss, .lossTitle = "Thingfall"},
    {.level = 10, .screen = "Form11", .boxes = 6, .startScore = 570, .targetScore = 666,
     .fallStep = {156, 129, 146, 122, 137, 155}, .boxLeft = {360, 1680, 3120, 4438, 5760, 7080}, .clickLeft = {360, 1680, 3120, 4438, 5760, 7080},
     .scoring = Scoring::Running, .bottomLimit = BottomLimit::BoxTop, .lossTestOrder = inOrder,
     .win = std::nullopt,
     .nextScreen = "Form12", .lossPrefix = runningLoss, .lossTitle = "Thingfall"},
}};
// clang-format on

} // namespace

const LevelRecord& levelRecord(int level)
{
    if (level < 1 || level > levelCount)
        throw std::out_of_range("no such level");
    return catalogue[std::size_t(level - 1)];
}

const LevelRecord* levelForScreen(std::string_view screen)
{
    for (const LevelRecord& record : catalogue)
        if (record.screen == screen)
            return &record;
    return nullptr;
}

std::span<const LevelRecord> allLevels()
{
    return catalogue;
}

} // namespace cratefall::levels
