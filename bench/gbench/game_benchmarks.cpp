// A whole game, every level won by direct clicks with ticks driven directly: the cost of each
// level per tick shows whether the engine or the runtime gathers cost as the game goes on.
#include "gbench/offscreen_game.h"
#include "levels/level_form.h"
#include "play/level_keeper.h"
#include "shell/screen_names.h"
#include "testing/test_access.h"

#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <chrono>
#include <numeric>
#include <string>
#include <vector>

namespace {

using cratefall::bench::ClickRoute;
using cratefall::bench::OffscreenGame;
using cratefall::levels::Level;
using cratefall::levels::LevelForm;
using cratefall::testing::Access;
using Clock = std::chrono::steady_clock;

constexpr int levelCount = int(cratefall::shell::screens::levels.size());
constexpr int tickLimitPerLevel = 1000;

// Built by appending: gcc 12 at -O3 mistakes "literal" + std::string for an overlapping copy.
std::string levelFigure(int level, std::string_view what)
{
    std::string name = "L";
    name += std::to_string(level);
    name += what;
    return name;
}

struct LevelCost {
    double seconds = 0;
    long long ticks = 0;
};

// The score the engine will count at the next tick.
int scoreSoFar(const Level& record, int clicks)
{
    return record.scoring == cratefall::levels::Scoring::HitCount ? clicks
                                                                  : record.startScore + clicks;
}

// Clicks the lowest boxes, never past the target: a score that passes it between ticks never wins.
void clickTowardsTarget(LevelForm& level, int& clicks)
{
    const Level& record = Access::engine(level).level();
    std::vector<int> boxes(std::size_t(record.boxes));
    std::iota(boxes.begin(), boxes.end(), 1);
    std::ranges::sort(boxes, std::greater{},
                      [&](int box) { return Access::engine(level).boxTop(box).value(); });
    const int wanted = std::min(record.boxes, record.targetScore - scoreSoFar(record, clicks));
    for (int i = 0; i < wanted; ++i) {
        cratefall::bench::clickBox(level, boxes[std::size_t(i)], ClickRoute::Handler);
        ++clicks;
    }
}

// Plays one level from its "Click to Start" to the tick that wins it; false if it was not won.
bool winLevel(OffscreenGame& game, const Level& record, LevelCost& cost)
{
    LevelForm& level = game.level(record.screen);
    const Clock::time_point start = Clock::now();
    level.clickForm();
    int clicks = 0;
    long long ticks = 0;
    while (game.runtime().isLoaded(record.screen) && ticks < tickLimitPerLevel) {
        clickTowardsTarget(level, clicks);
        game.tick(record.screen);
        OffscreenGame::flush();
        ++ticks;
    }
    cost.seconds += std::chrono::duration<double>(Clock::now() - start).count();
    cost.ticks += ticks;
    return game.runtime().isLoaded(record.nextScreen);
}

void BM_ScriptedGame(benchmark::State& state)
{
    OffscreenGame game;
    std::array<LevelCost, levelCount> costs{};
    for (auto _ : state) {
        game.show(cratefall::shell::screens::level(1));
        for (const Level& record : cratefall::levels::table()) {
            if (!winLevel(game, record, costs[std::size_t(record.number - 1)])) {
                state.SkipWithError(
                    ("level " + std::to_string(record.number) + " was not won").c_str());
                return;
            }
        }
        game.unload(cratefall::shell::screens::victory);
    }
    if (game.presenter().errors() > 0)
        state.SkipWithError("a run-time error was shown");
    for (int level = 1; level <= levelCount; ++level) {
        const LevelCost& cost = costs[std::size_t(level - 1)];
        state.counters[levelFigure(level, "_us_per_tick")] =
            cost.ticks > 0 ? 1e6 * cost.seconds / double(cost.ticks) : 0.0;
    }
}

} // namespace

BENCHMARK(BM_ScriptedGame)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
