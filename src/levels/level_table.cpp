#include "levels/level_table.h"

#include "levels/level_controls.h"
#include "shell/screen_names.h"

#include <algorithm>

namespace cratefall::levels {
namespace {

using namespace ui;

constexpr FormDesign window(std::string_view caption, Colour back, int clientLeft, int clientTop,
                            int clientWidth, int clientHeight, std::string_view icon)
{
    return {.caption = caption,
            .back = back,
            .clientLeft = clientLeft,
            .clientTop = clientTop,
            .clientWidth = clientWidth,
            .clientHeight = clientHeight,
            .icon = icon,
            .timer = {Enabled::No, 1}};
}

// A falling box: a stretched tile, disabled until the level starts.
constexpr ControlDesign box(int number, int left, int top, int width, int height,
                            std::string_view tile)
{
    return picture(controls::image(number), left, top, width, height, tile, Stretch::Yes,
                   Enabled::No);
}

// A bar across the field: enabled with no handler, so it swallows the clicks on what it hides.
constexpr ControlDesign bar(int number, int left, int top, int width, int height, Stretch stretch)
{
    return picture(controls::image(number), left, top, width, height, "BarPicture", stretch,
                   Enabled::Yes);
}

// Scenery at the back of a level: drawn at its own size, clipped by its control and the window.
constexpr ControlDesign backdrop(std::string_view name, int left, int top, int width, int height,
                                 std::string_view pictureName)
{
    return picture(name, left, top, width, height, pictureName, Stretch::No, Enabled::No);
}

constexpr ControlDesign startLabel(int left, int top, Colour back, Colour fore = Colour::text())
{
    return label(controls::start, left, top, 2055, 375, "Click to Start", back, fore, {18},
                 Align::Left);
}

constexpr ControlDesign scoreCaption(int top)
{
    return label(controls::scoreCaption, 0, top, 735, 375, "Score:", black, white,
                 {12, Weight::Bold}, Align::Left);
}

constexpr ControlDesign scoreLabel(int top)
{
    return label(controls::score, 0, top, 735, 495, "", rgb(0x004000), white, {13.5},
                 Align::Centre);
}

constexpr auto transparent = Colour::transparent();
constexpr auto face = Colour::face();
constexpr std::array<int, maxBoxes> level3To5ClickLeft{80, 1440, 2760, 3960};

// clang-format off
constexpr Level entries[] = {
    // Level 1 counts the clicks on each box; its boxes jump from where they are drawn to their
    // columns on the first tick, and are tested for a loss from the right.
    {.window = window("Cratefall - Level 1", white, 7155, 2040, 3645, 8715, "Tile05"),
     .controls = frontToBack(
        startLabel(720, 4080, white),
        // as designed: an empty, unseen label that still takes the presses that land on it.
        label("Label3", 2640, 7680, 135, 495, "", white, Colour::text(), {}, Align::Left),
        line("Line1", 0, 8280, 480, 8280),
        scoreCaption(7920),
        scoreLabel(8280),
        box(3, 2760, 120, 615, 855, "Tile03"),
        box(2, 1440, 120, 705, 840, "Tile06"),
        box(1, 120, 120, 735, 855, "Tile07")),
     .boxes = 3, .fallStep = {85, 81, 83}, .boxLeft = {0, 1400, 2800},
     .startScore = 0, .targetScore = 30,
     .scoring = Scoring::HitCount, .bottomLimit = BottomLimit::BoxBottom, .lossTestOrder = {3, 2, 1},
     // as designed: the leading blank, the small "ok" and no title (the application's) are the
     // first level's own; the later levels were written another way.
     .win = WinMessage{" You beat level one. Press ok for the next level", std::nullopt},
     // as designed: the game's first name survives in level 1's loss, as "Thingfall" does in the
     // others'; the two blanks after the full stop are level 1's alone.
     .lossPrefix = "Game Over.  Your score was ", .lossTitle = "Tilefall"},

    {.window = window("Cratefall - Level 2", rgb(0xFF8080), 7140, 2070, 3525, 8670, "Tile08"),
     .controls = frontToBack(
        startLabel(720, 4320, rgb(0xFF8080)),
        scoreLabel(8160),
        scoreCaption(7800),
        line("Line1", 0, 8160, 480, 8160),
        box(3, 2520, 240, 840, 840, "Tile09"),
        box(2, 1320, 240, 855, 855, "Tile02"),
        box(1, 240, 240, 720, 840, "Tile06")),
     .boxes = 3, .fallStep = {91, 94, 87}, .boxLeft = {80, 1390, 2810},
     .startScore = 30, .targetScore = 70,
     // as designed, levels 2 to 9: the win texts end with or without a full stop and are titled
     // "Thingfall" or "Cratefall" as each level was written.
     .win = WinMessage{"You beat level 2. Press Ok to go to the next level", "Thingfall"}},

    // as designed, levels 3 to 5: a clicked box 2 goes back up 50 twips right of the column it
    // falls down, and drifts back on the next tick.
    {.window = window("Cratefall - Level 3", rgb(0x00C000), 6510, 1920, 5070, 8805, "Tile08"),
     .controls = frontToBack(
        startLabel(1440, 4440, rgb(0x00C000)),
        line("Line1", 0, 8400, 480, 8400),
        scoreCaption(8040),
        scoreLabel(8400),
        box(4, 3960, 0, 855, 975, "Tile10"),
        box(3, 2760, 0, 855, 975, "Tile11"),
        box(2, 1440, 0, 855, 975, "Tile03"),
        box(1, 120, 0, 855, 975, "Tile09")),
     .boxes = 4, .fallStep = {108, 106, 96, 101}, .boxLeft = {80, 1390, 2760, 3960},
     .clickLeft = level3To5ClickLeft, .startScore = 70, .targetScore = 120,
     .win = WinMessage{"You beat level 3. Press Ok to go to the next level", "Thingfall"}},

    {.window = window("Cratefall - Level 4", rgb(0x000080), 6450, 1965, 5085, 8820, "Tile12"),
     .controls = frontToBack(
        startLabel(1320, 4440, rgb(0x000080), white),
        box(4, 3960, 0, 855, 855, "Tile09"),
        box(3, 2640, 0, 855, 855, "Tile01"),
        box(2, 1320, 0, 855, 855, "Tile13"),
        scoreLabel(8400),
        scoreCaption(8040),
        line("Line1", 0, 8400, 480, 8400),
        box(1, 120, 0, 855, 855, "Tile08")),
     .boxes = 4, .fallStep = {108, 114, 111, 116}, .boxLeft = {80, 1390, 2760, 3960},
     .clickLeft = level3To5ClickLeft, .startScore = 120, .targetScore = 180,
     .win = WinMessage{"You beat level 4. Press Ok to go to the next level.", "Cratefall"}},

    {.window = window("Cratefall - Level 5", rgb(0x808000), 6465, 1905, 5220, 8775, "Tile01"),
     .controls = frontToBack(
        startLabel(1440, 3960, rgb(0x808000)),
        box(1, 240, 0, 855, 855, "Tile08"),
        line("Line1", 0, 8280, 480, 8280),
        scoreCaption(7920),
        scoreLabel(8280),
        box(2, 1560, 0, 855, 855, "Tile14"),
        box(3, 2880, 0, 855, 855, "Tile01"),
        box(4, 4080, 0, 855, 855, "Tile15")),
     .boxes = 4, .fallStep = {122, 124, 117, 121}, .boxLeft = {80, 1390, 2760, 3960},
     .clickLeft = level3To5ClickLeft, .startScore = 180, .targetScore = 250,
     .win = WinMessage{"You beat level 5. Press Ok to go to the next level", "Cratefall"}},

    {.window = window("Cratefall - Level 6", rgb(0x800000), 5580, 1920, 6930, 9165, "Tile10"),
     .controls = frontToBack(
        startLabel(2400, 4560, rgb(0x800000)),
        bar(6, 120, 3480, 6750, 450, Stretch::No),
        box(5, 5760, 120, 855, 855, "Tile06"),
        box(4, 4440, 120, 855, 855, "Tile16"),
        box(3, 3120, 120, 855, 855, "Tile13"),
        box(2, 1680, 120, 855, 855, "Tile07"),
        scoreLabel(8760),
        scoreCaption(8400),
        line("Line1", 0, 8760, 480, 8760),
        box(1, 360, 120, 855, 855, "Tile17")),
     // as designed, levels 6 to 10: box 4 falls at 4438, two twips left of where it is drawn.
     .boxes = 5, .fallStep = {124, 123, 122, 114, 123}, .boxLeft = {360, 1680, 3120, 4438, 5760},
     .startScore = 250, .targetScore = 320,
     .win = WinMessage{"You beat level 6. Press Ok to go to the next level.", "Cratefall"}},

    {.window = window("Cratefall - Level 7", face, 5265, 2070, 7545, 8865, "Tile15"),
     .controls = frontToBack(
        bar(6, 480, 2160, 6750, 450, Stretch::No),
        bar(7, 480, 6240, 6750, 450, Stretch::No),
        box(1, 360, 0, 855, 855, "Tile17"),
        line("Line2", 120, 8400, 600, 8400),
        scoreCaption(8040),
        scoreLabel(8400),
        box(2, 1680, 0, 855, 855, "Tile07"),
        box(3, 3120, 0, 855, 855, "Tile13"),
        box(4, 4440, 0, 855, 855, "Tile16"),
        box(5, 5880, 0, 855, 855, "Tile06"),
        startLabel(2400, 4440, transparent),
        backdrop("back9", 4200, 4680, 4500, 4500, "BlueBackdrop"),
        backdrop("back7", 4920, 1320, 4500, 4500, "BlueBackdrop"),
        line("Line1", 0, 8400, 480, 8400),
        backdrop("back6", 3600, -1080, 4500, 4500, "BlueBackdrop"),
        backdrop("back4", -360, -600, 4500, 4500, "BlueBackdrop"),
        backdrop("back3", -2280, 360, 4500, 4500, "BlueBackdrop"),
        backdrop("back2", 1440, 1080, 4500, 4500, "BlueBackdrop"),
        backdrop("back1", 0, 4800, 4500, 4500, "BlueBackdrop")),
     .boxes = 5, .fallStep = {132, 136, 133, 127, 131}, .boxLeft = {360, 1680, 3120, 4438, 5760},
     .startScore = 320, .targetScore = 400,
     .win = WinMessage{"You beat level 7. Press Ok to go to the next level.", "Cratefall"}},

    // as designed: level 8's caption keeps the game's earlier name.
    {.window = window("Thingfall - Level 8", face, 4980, 2040, 7380, 8910, "Tile18"),
     .controls = frontToBack(
        bar(8, 0, 5160, 7455, 450, Stretch::Yes),
        bar(7, 0, 7680, 7455, 450, Stretch::Yes),
        bar(6, -240, 2520, 8055, 450, Stretch::Yes),
        box(1, 360, 0, 855, 855, "Tile17"),
        line("Line1", 240, 8400, 720, 8400),
        scoreCaption(8160),
        scoreLabel(8520),
        box(2, 1680, 0, 855, 855, "Tile07"),
        box(3, 3120, 0, 855, 855, "Tile13"),
        box(4, 4440, 0, 855, 855, "Tile16"),
        box(5, 5760, 0, 855, 855, "Tile06"),
        startLabel(2760, 4440, transparent, white),
        backdrop("back4", 4080, 4440, 4500, 4500, "RedBackdrop"),
        backdrop("back3", -360, 4440, 4500, 4500, "RedBackdrop"),
        backdrop("back2", 4080, 0, 4500, 4500, "RedBackdrop"),
        backdrop("back1", -360, 0, 4500, 4500, "RedBackdrop")),
     .boxes = 5, .fallStep = {133, 129, 134, 131, 127}, .boxLeft = {360, 1680, 3120, 4438, 5760},
     .startScore = 400, .targetScore = 480,
     .win = WinMessage{"You beat level 8. Press Ok to go to the next level.", "Cratefall"}},

    {.window = window("Cratefall 1.0 - Level 9", face, 4980, 2040, 8250, 8895, "Tile08"),
     .controls = frontToBack(
        bar(10, 840, 8280, 7215, 450, Stretch::Yes),
        bar(9, 240, 3720, 7695, 495, Stretch::Yes),
        bar(8, 240, 1920, 7455, 450, Stretch::Yes),
        bar(7, 240, 6600, 7695, 450, Stretch::Yes),
        box(6, 7080, 0, 855, 855, "Tile17"),
        box(1, 360, 0, 855, 855, "Tile05"),
        line("Line1", 120, 8400, 600, 8400),
        scoreCaption(8040),
        scoreLabel(8400),
        box(2, 1680, 0, 855, 855, "Tile19"),
        box(3, 3120, 0, 855, 855, "Tile20"),
        box(4, 4440, 0, 855, 855, "Tile12"),
        box(5, 5760, 0, 855, 855, "Tile09"),
        startLabel(3360, 4320, transparent),
        backdrop("back2", 5040, 0, 5790, 17940, "StripeBackdrop"),
        backdrop("back1", 0, -1320, 5790, 17940, "StripeBackdrop")),
     .boxes = 6, .fallStep = {146, 119, 144, 113, 137, 145},
     .boxLeft = {360, 1680, 3120, 4438, 5760, 7080}, .startScore = 480, .targetScore = 570,
     .win = WinMessage{"You beat level 9. Press Ok to go to the next level.", "Cratefall"}},

    // The last level hands over to the victory screen without a message.
    {.window = window("Cratefall 1.0 - Level 10", face, 4980, 1860, 8490, 9630, "Tile21"),
     .controls = frontToBack(
        bar(12, 0, 2760, 8055, 1050, Stretch::Yes),
        bar(11, 0, 4920, 8055, 1050, Stretch::Yes),
        bar(10, -840, -840, 1215, 9570, Stretch::Yes),
        bar(9, 720, 9120, 7815, 570, Stretch::Yes),
        bar(8, 7920, 0, 1215, 9570, Stretch::Yes),
        bar(7, -120, 6960, 8055, 810, Stretch::Yes),
        startLabel(3360, 4320, transparent),
        box(5, 5760, 0, 855, 855, "Tile09"),
        box(4, 4440, 0, 855, 855, "Tile12"),
        box(3, 3120, 0, 855, 855, "Tile20"),
        box(2, 1680, 0, 855, 855, "Tile19"),
        scoreLabel(9120),
        scoreCaption(8760),
        line("Line1", 120, 9120, 600, 9120),
        box(1, 360, 0, 855, 855, "Tile05"),
        box(6, 7080, 0, 855, 855, "Tile17"),
        backdrop("background", -2880, -120, 13500, 10500, "GoldBackdrop")),
     .boxes = 6, .fallStep = {156, 129, 146, 122, 137, 155},
     .boxLeft = {360, 1680, 3120, 4438, 5760, 7080}, .startScore = 570, .targetScore = 666},
};
// clang-format on

constexpr std::size_t levelCount = std::size(entries);

// Stops the build when the table and shell/screen_names.h count different levels, with both
// counts: the compiler prints the template's arguments.
template <std::size_t inTable, std::size_t named> constexpr bool everyLevelNamed()
{
    static_assert(
        inTable == named,
        "every level needs its screen name in shell/screen_names.h, and every name a level");
    return true;
}
static_assert(everyLevelNamed<levelCount, shell::screens::levels.size()>());

// Level n's screen. A level past the names gets none, so that the build stops at the count above
// alone.
constexpr std::string_view screenOf(int number)
{
    return number <= int(shell::screens::levels.size()) ? shell::screens::level(number) : "";
}

// Fills in what an entry's place in the table says: its number, its screen, the screen after it.
constexpr std::array<Level, levelCount> numbered()
{
    std::array<Level, levelCount> levels = std::to_array(entries);
    for (int number = 1; number <= int(levelCount); ++number) {
        Level& level = levels[std::size_t(number - 1)];
        level.number = number;
        level.screen = screenOf(number);
        level.window.name = level.screen;
        level.nextScreen =
            number < int(levelCount) ? screenOf(number + 1) : shell::screens::victory;
    }
    return levels;
}

// A level's boxes are its first pictures, Image1 to Image<boxes>, and nothing else is: so the
// engine, asking for box n, can never be handed a bar.
constexpr bool boxesComeFirst(const Level& level)
{
    int boxes = 0;
    for (std::size_t row = 0; row < level.controls.count; ++row) {
        const ControlDesign& control = level.controls.rows[row];
        for (int number = 1; number <= int(controls::images.size()); ++number) {
            if (control.name != controls::image(number))
                continue;
            const bool isBox = control.enabled == Enabled::No && control.stretch == Stretch::Yes &&
                               control.picture != "BarPicture";
            if (isBox != (number <= level.boxes))
                return false;
            boxes += isBox ? 1 : 0;
        }
    }
    return boxes == level.boxes;
}

// The last level hands over to the victory screen; every other one says it was won.
constexpr bool winMessageUnlessLast(const Level& level)
{
    return level.win.has_value() != level.isLast();
}

constexpr auto levels = numbered();

// The first level, from 1, that breaks a rule; 0 when every level keeps it.
constexpr int firstBreaking(bool (*keeps)(const Level&))
{
    for (const Level& level : levels)
        if (!keeps(level))
            return level.number;
    return 0;
}

// Each rule stops the build at the first level that breaks it and names it: the compiler prints
// the template's argument, the level's number.
template <int level> constexpr bool boxesComeFirstOnEveryLevel()
{
    static_assert(level == 0,
                  "a level's boxes must be Image1 to Image<boxes>, its bars after them");
    return true;
}
static_assert(boxesComeFirstOnEveryLevel<firstBreaking(boxesComeFirst)>());

template <int level> constexpr bool winMessageOnEveryLevelButTheLast()
{
    static_assert(level == 0, "every level but the last needs its win message, and the last none");
    return true;
}
static_assert(winMessageOnEveryLevelButTheLast<firstBreaking(winMessageUnlessLast)>());

// The score carries on from level to level: each starts at the target the one before was won at.
constexpr int targetBefore(const Level& level)
{
    return level.number == 1 ? 0 : levels[std::size_t(level.number - 2)].targetScore;
}

// Names both scores besides the level.
template <int level, int startScore, int previousTarget> constexpr bool scoreCarriesOn()
{
    static_assert(startScore == previousTarget,
                  "a level's startScore must be the previous level's targetScore (level 1's, 0)");
    return true;
}
constexpr int scoreGap =
    firstBreaking([](const Level& level) { return level.startScore == targetBefore(level); });
// With no gap, level 1, which keeps the rule, stands in.
constexpr const Level& atScoreGap = levels[std::size_t(std::max(scoreGap, 1) - 1)];
static_assert(scoreCarriesOn<scoreGap, atScoreGap.startScore, targetBefore(atScoreGap)>());

} // namespace

std::span<const Level> table()
{
    return levels;
}

} // namespace cratefall::levels
