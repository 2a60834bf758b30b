#!/bin/bash
# Prints the comparison table from the "key=value" figures that bench/run collected.
#   bench/table.sh FIGURES_FILE [windows]
# "windows": only the figures bench/windows.sh measures under Wine (start-up, memory, CPU).
set -euo pipefail
figures="$1"
rows="${2:-all}"

awk -F= -v rows="$rows" '
{ v[$1] = $2 }
function has(k) { return (k in v) && v[k] != "" }
function num(k) { return has(k) ? v[k] + 0 : -1 }
function fmt(x, d) { return x < 0 ? "-" : sprintf("%." d "f", x) }
function verdict(ok) { failures += ok ? 0 : 1; return ok ? "pass" : "FAIL" }
# a figure of the game against the same figure of the reference
function ratio_row(label, gk, rk, limit, scale, d,    g, r, q) {
    if (!has(gk) || !has(rk)) { missing(label); return }
    g = num(gk) * scale; r = num(rk) * scale; q = r > 0 ? g / r : 0
    line(label, fmt(g, d), fmt(r, d), sprintf("%.2f", q), "<= " limit " x", verdict(r > 0 && q <= limit))
}
# a figure of the game held to an absolute bound; the reference figure is shown for comparison
function bound_row(label, gk, rk, op, limit, d,    g, ok) {
    if (!has(gk)) { missing(label); return }
    g = num(gk)
    ok = op == "<=" ? g <= limit : op == ">=" ? g >= limit : g == limit
    line(label, fmt(g, d), has(rk) ? fmt(num(rk), d) : "-", "-", op " " limit, verdict(ok))
}
function report_row(label, gk, d) {
    if (!has(gk)) { missing(label); return }
    line(label, fmt(num(gk), d), "-", "-", "report", "-")
}
function missing(label) { line(label, "missing", "-", "-", "-", verdict(0)) }
function line(a, b, c, d, e, f) { printf "| %-58s | %12s | %10s | %6s | %14s | %4s |\n", a, b, c, d, e, f }
END {
    period = 65536 * 1000 / 1193182
    line("figure", "game", "reference", "ratio", "target", "")
    printf "|%s|%s|%s|%s|%s|%s|\n", "------------------------------------------------------------",
        "--------------", "------------", "--------", "----------------", "------"
    ratio_row("start-up to the mapped title window, median (ms)", "game.startup_ms", "reference.startup_ms", 1.25, 1, 1)
    ratio_row("resident memory (VmRSS) after 5 s on the title (MiB)", "game.title.rss_kb", "reference.rss_kb", 1.3, 1 / 1024, 1)
    ratio_row("private memory after 5 s on the title (MiB)", "game.title.private_kb", "reference.private_kb", 1.3, 1 / 1024, 2)
    ratio_row("  of which written (Private_Dirty) (MiB)", "game.title.private_dirty_kb", "reference.private_dirty_kb", 1.3, 1 / 1024, 2)
    ratio_row("CPU, title animation, 10 s (% of a core)", "game.title.cpu_percent", "reference.cpu_percent", 1.5, 1, 2)
    ratio_row("CPU, the last level played, 10 s (% of a core)", "game.last_level.cpu_percent", "reference.cpu_percent", 2, 1, 2)
    ratio_row("  the same, title, from schedstat (ns precision)", "game.title.run_percent", "reference.run_percent", 1.5, 1, 2)
    ratio_row("  the same, the last level, from schedstat (ns precision)", "game.last_level.run_percent", "reference.run_percent", 2, 1, 2)
    bound_row("last level: boxes shown while measured (a loss ends it)", "game.last_level.level.boxes_shown", "", "==", 0, 0)
    if (rows == "windows") {
        printf "\n%d target(s) missed\n", failures
        exit failures > 0
    }
    if (has("game.tick.mean_ms")) {
        g = num("game.tick.mean_ms"); dev = (g - period) / period; if (dev < 0) dev = -dev
        line("tick period, mean over 10 s (ms)", fmt(g, 3), fmt(num("reference.tick.mean_ms"), 3), "-",
             sprintf("%.3f +-1%%", period), verdict(dev <= 0.01))
    } else missing("tick period, mean over 10 s (ms)")
    bound_row("tick period, 99th percentile (ms)", "game.tick.p99_ms", "reference.tick.p99_ms", "<=", 57, 2)
    bound_row("closest two ticks (ms)", "game.tick.min_ms", "reference.tick.min_ms", ">=", 40, 2)
    bound_row("closest two ticks after a 300 ms stall (ms)", "game.tick.stall_min_gap_ms", "reference.tick.stall_min_gap_ms", ">=", 40, 2)
    bound_row("ticks in the first second after the stall", "game.tick.stall_ticks_1s", "reference.tick.stall_ticks_1s", "<=", 19, 0)
    bound_row("title: paint events per frame", "game.title_paint.paint_events_per_frame", "reference.paint.paint_events_per_frame", "<=", 12, 1)
    bound_row("title: painted pixels per frame", "game.title_paint.painted_px_per_frame", "reference.paint.painted_px_per_frame", "<=", num("game.title_paint.moved_px_per_frame"), 0)
    bound_row("title: pixels painted outside what moved, per frame", "game.title_paint.outside_px_per_frame", "reference.paint.outside_px_per_frame", "==", 0, 0)
    bound_row("last level: painted pixels per frame", "game.last_level_paint.painted_px_per_frame", "", "<=", num("game.last_level_paint.moved_px_per_frame") + 0, 0)
    bound_row("last level: pixels painted outside what moved, the score", "game.last_level_paint.outside_px_per_frame", "", "==", 0, 0)
    report_row("last level: paint events per frame", "game.last_level_paint.paint_events_per_frame", 1)
    report_row("last level tick handler, median (us), 0 ticks played", "gb.BM_LastLevelTick.played:0.median_us", 2)
    report_row("last level tick handler, spread (cv %), 0 ticks played", "gb.BM_LastLevelTick.played:0.cv_percent", 1)
    ratio_row("last level tick handler after 400 ticks / after 0 (us)", "gb.BM_LastLevelTick.played:400.median_us", "gb.BM_LastLevelTick.played:0.median_us", 1.2, 1, 2)
    report_row("last level tick with its repaint, median (us)", "gb.BM_LastLevelTickAndRepaint.played:0.median_us", 2)
    ratio_row("last level tick with repaint, after 400 ticks / 0 (us)", "gb.BM_LastLevelTickAndRepaint.played:400.median_us", "gb.BM_LastLevelTickAndRepaint.played:0.median_us", 1.2, 1, 2)
    report_row("loading level 1 screen, median (us)", "gb.BM_LoadLevelScreen.level:1.median_us", 1)
    # the last level loaded, however many levels there are
    for (l = 2; l < 100; l++) if (has("gb.BM_LoadLevelScreen.level:" l ".median_us")) last = l
    report_row("loading the last level's screen, median (us)", "gb.BM_LoadLevelScreen.level:" last ".median_us", 1)
    bound_row("picture decodes per level load", "gb.BM_LoadLevelScreen.level:" last ".median.decodes_per_load", "", "==", 0, 2)
    report_row("scripted whole game, median (ms)", "gb.BM_ScriptedGame.median_ms", 1)
    report_row("scripted whole game, spread (cv %)", "gb.BM_ScriptedGame.cv_percent", 1)
    # every level of the table, however many: level 1 at least, so a failed run shows
    for (l = 1; l == 1 || has("gb.BM_ScriptedGame.median.L" l "_us_per_tick"); l++)
        report_row("scripted game: level " l ", cost per tick (us)", "gb.BM_ScriptedGame.median.L" l "_us_per_tick", 1)
    printf "\n%d target(s) missed\n", failures
    exit failures > 0
}' "$figures"
