// The last level (the hardest) on the offscreen platform: the cost of one tick, and of loading a
// level screen.
#include "gbench/offscreen_game.h"
#include "levels/level_form.h"
#include "pictures/picture_store.h"
#include "play/level_keeper.h"
#include "shell/screen_names.h"

#include <benchmark/benchmark.h>
#include <string_view>

namespace {

using cratefall::bench::ClickRoute;
using cratefall::bench::OffscreenGame;
using cratefall::levels::LevelForm;

// The last entry of the level table is the last level, however many there are.
constexpr std::string_view lastLevel = cratefall::shell::screens::levels.back();
constexpr int timedTicks = 300;
constexpr int repetitions = 9;

enum class Repaint { Excluded, Included };

// Starts the last level and plays `played` ticks, clicking only the boxes about to be lost.
LevelForm& startAndPlay(OffscreenGame& game, int played)
{
    LevelForm& level = game.showLevel(lastLevel);
    level.clickForm();
    for (int i = 0; i < played; ++i) {
        game.tick(lastLevel);
        OffscreenGame::flush();
        cratefall::bench::keepAlive(level, ClickRoute::Handler);
        OffscreenGame::flush();
    }
    return level;
}

void tickLastLevel(benchmark::State& state, Repaint repaint)
{
    OffscreenGame game;
    LevelForm& level = startAndPlay(game, int(state.range(0)));
    for (auto _ : state) {
        game.tick(lastLevel);
        if (repaint == Repaint::Included)
            OffscreenGame::flush();
        state.PauseTiming();
        OffscreenGame::flush();
        cratefall::bench::keepAlive(level, ClickRoute::Handler);
        OffscreenGame::flush();
        state.ResumeTiming();
    }
    // A level that ended would have timed ticks that do nothing.
    if (!game.runtime().isLoaded(lastLevel) || game.presenter().shown() > 0)
        state.SkipWithError("the last level ended while it was measured");
}

// The tick handler alone: the boxes are moved and the score shown; the repaint is not timed.
void BM_LastLevelTick(benchmark::State& state)
{
    tickLastLevel(state, Repaint::Excluded);
}

// The tick and the repaint of what it moved, into the offscreen backing store.
void BM_LastLevelTickAndRepaint(benchmark::State& state)
{
    tickLastLevel(state, Repaint::Included);
}

// Builds a level's window from its layout and discards it again. Pictures come from the store,
// which decodes each one once per run: decodes_per_load must be 0.
void BM_LoadLevelScreen(benchmark::State& state)
{
    const std::string_view screen = cratefall::shell::screens::level(int(state.range(0)));
    OffscreenGame game;
    game.show(screen);
    game.unload(screen);
    const int decodedBefore = cratefall::pictures::PictureStore::decodeCount();
    for (auto _ : state) {
        game.show(screen);
        game.unload(screen);
    }
    state.counters["decodes_per_load"] =
        benchmark::Counter(double(cratefall::pictures::PictureStore::decodeCount() - decodedBefore),
                           benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK(BM_LastLevelTick)
    ->ArgName("played")
    ->Arg(0)
    ->Arg(400)
    ->Iterations(timedTicks)
    ->Repetitions(repetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LastLevelTickAndRepaint)
    ->ArgName("played")
    ->Arg(0)
    ->Arg(400)
    ->Iterations(timedTicks)
    ->Repetitions(repetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadLevelScreen)
    ->ArgName("level")
    ->Arg(1)
    ->Arg(7)
    ->Arg(int(cratefall::shell::screens::levels.size()))
    ->Repetitions(repetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);
