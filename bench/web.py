#!/usr/bin/python3
"""The browser release beside a bare Qt window built the same way (bench/reference), in each
engine of the tests' (Chromium, Firefox ESR, WebKitGTK), one browser of its own each, in turn, in
one run: what a player downloads, how soon the title shows after the page is asked for, and the
memory and CPU the browser spends on the title, on the last level played and on the bare window.
Prints one table; exits non-zero when a target is missed.

    web.py RELEASE SITE SCRATCH
RELEASE is the release folder; SITE holds its files, the end-to-end entry's and the bare window's.
WebKitGTK draws on the X display the caller started."""
import gzip, os, statistics, sys, time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / 'tests' / 'web'))
from engines import ENGINES  # noqa: E402
from page import CANVAS_OF, ENTRY, Layout, Page, fail  # noqa: E402

release, site, scratch = (Path(arg) for arg in sys.argv[1:4])
REFERENCE, REFERENCE_CAPTION = 'cratefall_reference', 'Cratefall reference'
LOADS, SETTLE_S, MEASURE_S, ROUNDS = 7, 3, 10, 3
TICK_S = os.sysconf('SC_CLK_TCK')


def transfer(files):
    """Bytes as stored, and as a server compressing with gzip -9 sends them."""
    raw = sum(f.stat().st_size for f in files)
    return raw, sum(len(gzip.compress(f.read_bytes(), 9)) for f in files)


def browser_processes(page):
    """The browser's processes, the engine's process's descendants: those that run the page, those
    that composite it, and the browser itself."""
    children = {}
    for stat in Path('/proc').glob('[0-9]*/stat'):
        try:
            fields = stat.read_text().rsplit(')', 1)[1].split()
        except OSError:
            continue
        children.setdefault(int(fields[1]), []).append(int(stat.parent.name))
    found, todo = [], [page.engine.pid()]
    while todo:
        pid = todo.pop()
        found += children.get(pid, [])
        todo += children.get(pid, [])
    return found


def cpu_seconds(pids):
    total = 0
    for pid in pids:
        try:
            fields = Path(f'/proc/{pid}/stat').read_text().rsplit(')', 1)[1].split()
        except OSError:
            continue
        total += int(fields[11]) + int(fields[12])
    return total / TICK_S


def page_memory(page, pids):
    """The resident memory (kB) of the process that runs the page, the largest of those that run
    pages (some engines keep spare ones): the module's memory, its canvases and the page."""
    sizes = []
    for pid in pids:
        try:
            if page.engine.page_process in Path(f'/proc/{pid}/cmdline').read_bytes():
                status = Path(f'/proc/{pid}/status').read_text()
                sizes.append(int(next(
                    line for line in status.splitlines() if line.startswith('VmRSS')).split()[1]))
        except OSError:
            continue
    return max(sizes, default=None) or fail("no process of the browser's runs the page")


def load_time(page, program, caption, *arguments):
    asked = time.monotonic()
    page.open(program, *arguments)
    page.window(caption, limit=30)
    return time.monotonic() - asked


# The columns of the last level's boxes on its canvas; from the level as it waits, whose boxes are
# all at the top, a box is the lowest pixel of its column unlike the waiting level (bars cross
# the columns, so the first unlike pixel from the top may be a bar).
COLUMNS = CANVAS_OF + """const [caption, xs, bottom] = arguments;
    const canvas = canvasOf(caption);
    const look = x => canvas.getContext('2d').getImageData(x, 0, 1, bottom).data;
    if (!window.benchWaiting) window.benchWaiting = xs.map(look);
    return xs.map((x, i) => { const now = look(x), then = window.benchWaiting[i];
        for (let y = bottom - 1; y >= BOX; --y)
            if (now.slice(4 * y, 4 * y + 3).join() != then.slice(4 * y, 4 * y + 3).join())
                return [x, y - 10];
        return null; }).filter(Boolean);"""


def start_last_level(page, layout):
    """The last level, its look while waiting kept, then started."""
    level = layout.levels[-1]
    page.open(ENTRY, level)
    window = page.window(layout.captions[level])
    columns, bottom, _ = layout.columns(level)
    box = layout.controls[level, 'Image1'][3]
    page.script(COLUMNS.replace('BOX', str(box)), window['caption'], columns, bottom)
    page.clicks(window, [layout.centre(level, 'Label4')])
    return window


def read_boxes(page, layout, window, seconds, then):
    """Reads the window's canvas where the last level's boxes fall, every 50 ms, and hands THEN
    the boxes found low in their fall."""
    level = layout.levels[-1]
    columns, bottom, _ = layout.columns(level)
    script = COLUMNS.replace('BOX', str(layout.controls[level, 'Image1'][3]))
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        then([p for p in page.script(script, window['caption'], columns, bottom)
              if p[1] > bottom - 120])
        time.sleep(0.05)


def keep_playing(page, layout, window, seconds):
    """Clicks each box of the last level once it is low in its fall, as a late player would, so
    that the level neither is lost nor reaches its target while it is measured."""
    level = layout.levels[-1]
    read_boxes(page, layout, window, seconds, lambda low: page.clicks(window, low))
    if not any(w['caption'] == layout.captions[level] for w in page.windows()) or \
            any(w['caption'] != layout.captions[level] for w in page.windows()):
        fail("the last level ended while it was measured")


def resources(page, layout, what):
    """CPU seconds a second and the page's memory over MEASURE_S, SETTLE_S after the window shows.
    The bare window is measured left alone, and read as the last level is read while it is played
    ('reference read'): those reads cost the browser about as much as the game's boxes do, and
    are the benchmark's, not the game's."""
    if what.startswith('reference'):
        page.open(REFERENCE)
        window = page.window(REFERENCE_CAPTION)
    elif what == 'title':
        page.open()
        window = page.window(layout.captions[layout.title])
    else:
        window = start_last_level(page, layout)
    pids = browser_processes(page)
    wait = {'level': lambda s: keep_playing(page, layout, window, s),
            'reference read': lambda s: read_boxes(page, layout, window, s, lambda low: None)
            }.get(what, time.sleep)
    wait(SETTLE_S)
    before = cpu_seconds(pids)
    wait(MEASURE_S)
    return (cpu_seconds(pids) - before) / MEASURE_S, page_memory(page, pids)


def tick_rate(page, layout):
    """Ticks a second over MEASURE_S of the last level played: a tick moves every box in sight,
    so a frame in which two box columns or more changed is a tick (a click moves one box only, and
    the bars never hide more than a few of the six)."""
    window = start_last_level(page, layout)
    columns, bottom, _ = layout.columns(layout.levels[-1])
    page.script(CANVAS_OF + '''const [caption, xs, bottom] = arguments;
        const canvas = canvasOf(caption);
        const context = canvas.getContext('2d');
        const ticks = window.cratefallTicks = [];
        let last = null;
        const sample = time => {
            // One read of the canvas a frame: each read waits for the canvas to be drawn.
            const data = context.getImageData(0, 0, canvas.width, bottom).data;
            const now = xs.map(x => { let hash = 0;
                for (let i = 4 * x; i < data.length; i += 4 * canvas.width)
                    hash = (hash * 31 + data[i] * 65536 + data[i + 1] * 256 + data[i + 2]) | 0;
                return hash; });
            if (last && now.filter((column, i) => column != last[i]).length >= 2)
                ticks.push(performance.now());
            last = now;
            if (!ticks.stopped) requestAnimationFrame(sample);
        };
        requestAnimationFrame(sample);''', window['caption'], columns, bottom)
    keep_playing(page, layout, window, MEASURE_S)
    ticks = page.script('window.cratefallTicks.stopped = true; return window.cratefallTicks;')
    return (len(ticks) - 1) / ((ticks[-1] - ticks[0]) / 1000)


def measured(engine):
    """Load times, and the CPU and memory of the title, the last level and the bare window, in
    the ENGINE: medians."""
    page = Page(site, scratch / engine, engine)
    try:
        layout = Layout.of(page)
        loads = {'game': [], 'reference': []}
        for _ in range(LOADS):
            loads['game'].append(load_time(page, 'cratefall', layout.captions[layout.title]))
            loads['reference'].append(load_time(page, REFERENCE, REFERENCE_CAPTION))
        rounds = {what: [] for what in ('title', 'level', 'reference', 'reference read')}
        for _ in range(ROUNDS):
            for what in rounds:
                rounds[what].append(resources(page, layout, what))
        ticks = tick_rate(page, layout)
    finally:
        page.close()
    median = {what: (statistics.median(c for c, _ in r), statistics.median(m for _, m in r))
              for what, r in rounds.items()}
    return {what: statistics.median(t) for what, t in loads.items()}, median, ticks


def row(name, game, bare, target=''):
    print(f"{name:28} {game:9.3f} {bare:9.3f} {game / bare:7.2f}  {target}")


def main():
    # What a player's browser fetches: the page and the program, not the licences.
    fetched = ('index.html', 'page.js', 'qtloader.js', 'favicon.ico')
    game_size = transfer([release / n for n in fetched + ('cratefall.js', 'cratefall.wasm')])
    bare_size = transfer([site / n for n in fetched + (f'{REFERENCE}.js', f'{REFERENCE}.wasm')])
    tick_target = 1000 / 54.925
    print(f"{'figure':28} {'game':>9} {'bare':>9} {'ratio':>7}  target")
    row('page, raw (MB)', game_size[0] / 1e6, bare_size[0] / 1e6)
    row('page, gzip -9 (MB)', game_size[1] / 1e6, bare_size[1] / 1e6, 'game <= 6 MB')
    missed = [] if game_size[1] <= 6e6 else ['page size']
    for engine in ENGINES:
        load, median, ticks = measured(engine)
        (ref_cpu, ref_memory), (title_cpu, title_memory) = median['reference'], median['title']
        print(f"-- {engine}")
        row('load to first window (s)', load['game'], load['reference'], 'game <= 3 s')
        row('memory, title (MB)', title_memory / 1024, ref_memory / 1024)
        row('memory, last level (MB)', median['level'][1] / 1024, ref_memory / 1024)
        row('CPU, title (s/s)', title_cpu, ref_cpu, '<= 1.5 x')
        read_cpu = median['reference read'][0]
        row('CPU, last level (s/s)', median['level'][0], read_cpu, '<= 1.6 x (bare read)')
        print(f"{'ticks a second, last level':28} {ticks:9.3f} {'':9} {'':7}  "
              f"{tick_target:.2f} +- 1 %", flush=True)
        missed += [f'{name} in {engine}' for name, ok in (
            ('load time', load['game'] <= 3), ('title CPU', title_cpu <= 1.5 * ref_cpu),
            ('last level CPU', median['level'][0] <= 1.6 * read_cpu),
            ('tick rate', abs(ticks / tick_target - 1) <= 0.01)) if not ok]
    if missed:
        fail("missed: " + ', '.join(missed))


main()
