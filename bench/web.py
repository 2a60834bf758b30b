#!/usr/bin/python3
"""The browser release beside a bare Qt window built the same way (bench/reference), in one
headless Chromium of its own, in turn, in one run: what a player downloads, how soon the title
shows after the page is asked for, and the memory and CPU the browser spends on the title, on the
last level played and on the bare window. Prints one table; exits non-zero when a target is missed.

    web.py RELEASE SITE SCRATCH
RELEASE is the release folder; SITE holds its files, the end-to-end entry's and the bare window's."""
import gzip, os, statistics, sys, time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / 'tests' / 'web'))
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
    """The browser's processes, chromedriver's descendants: the page's renderer, the GPU process
    that composites it and the browser itself."""
    children = {}
    for stat in Path('/proc').glob('[0-9]*/stat'):
        try:
            fields = stat.read_text().rsplit(')', 1)[1].split()
        except OSError:
            continue
        children.setdefault(int(fields[1]), []).append(int(stat.parent.name))
    found, todo = [], [page.engine.driver.service.process.pid]
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


def renderer_memory(pids):
    """The page's renderer's resident memory (kB): the module's memory, its canvas and the page."""
    for pid in pids:
        try:
            if b'--type=renderer' in Path(f'/proc/{pid}/cmdline').read_bytes():
                status = Path(f'/proc/{pid}/status').read_text()
                return int(next(l for l in status.splitlines() if l.startswith('VmRSS')).split()[1])
        except OSError:
            continue
    fail("no renderer among the browser's processes")


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


def keep_playing(page, layout, window, seconds):
    """Clicks each box of the last level once it is low in its fall, as a late player would, so
    that the level neither is lost nor reaches its target while it is measured."""
    level = layout.levels[-1]
    columns, bottom, _ = layout.columns(level)
    script = COLUMNS.replace('BOX', str(layout.controls[level, 'Image1'][3]))
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        low = page.script(script, window['caption'], columns, bottom)
        page.clicks(window, [p for p in low if p[1] > bottom - 120])
        time.sleep(0.05)
    if not any(w['caption'] == layout.captions[level] for w in page.windows()) or \
            any(w['caption'] != layout.captions[level] for w in page.windows()):
        fail("the last level ended while it was measured")


def resources(page, layout, what):
    """CPU seconds a second and renderer memory over MEASURE_S, SETTLE_S after the window shows."""
    if what == 'reference':
        page.open(REFERENCE)
        window = page.window(REFERENCE_CAPTION)
    elif what == 'title':
        page.open()
        window = page.window(layout.captions[layout.title])
    else:
        window = start_last_level(page, layout)
    pids = browser_processes(page)
    wait = (lambda s: keep_playing(page, layout, window, s)) if what == 'level' else time.sleep
    wait(SETTLE_S)
    before = cpu_seconds(pids)
    wait(MEASURE_S)
    return (cpu_seconds(pids) - before) / MEASURE_S, renderer_memory(pids)


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


def main():
    # What a player's browser fetches: the page and the program, not the licences.
    fetched = ('index.html', 'page.js', 'qtloader.js', 'favicon.ico')
    game_size = transfer([release / n for n in fetched + ('cratefall.js', 'cratefall.wasm')])
    bare_size = transfer([site / n for n in fetched + (f'{REFERENCE}.js', f'{REFERENCE}.wasm')])
    page = Page(site, scratch)
    try:
        layout = Layout.of(page)
        loads = {'game': [], 'reference': []}
        for _ in range(LOADS):
            loads['game'].append(load_time(page, 'cratefall', layout.captions[layout.title]))
            loads['reference'].append(load_time(page, REFERENCE, REFERENCE_CAPTION))
        rounds = {what: [] for what in ('title', 'level', 'reference')}
        for _ in range(ROUNDS):
            for what in rounds:
                rounds[what].append(resources(page, layout, what))
        ticks = tick_rate(page, layout)
    finally:
        page.close()
    median = {what: (statistics.median(c for c, _ in r), statistics.median(m for _, m in r))
              for what, r in rounds.items()}
    load = {what: statistics.median(t) for what, t in loads.items()}
    ref_cpu, ref_memory = median['reference']
    rows = [
        ('page, raw (MB)', game_size[0] / 1e6, bare_size[0] / 1e6, None),
        ('page, gzip -9 (MB)', game_size[1] / 1e6, bare_size[1] / 1e6, 'game <= 6 MB'),
        ('load to first window (s)', load['game'], load['reference'], 'game <= 3 s'),
        ('memory, title (MB)', median['title'][1] / 1024, ref_memory / 1024, None),
        ('memory, last level (MB)', median['level'][1] / 1024, ref_memory / 1024, None),
        ('CPU, title (s/s)', median['title'][0], ref_cpu, '<= 1.5 x'),
        ('CPU, last level (s/s)', median['level'][0], ref_cpu, None),
    ]
    tick_target = 1000 / 54.925
    print(f"{'figure':28} {'game':>9} {'bare':>9} {'ratio':>7}  target")
    for name, game, bare_value, target in rows:
        print(f"{name:28} {game:9.3f} {bare_value:9.3f} {game / bare_value:7.2f}  {target or ''}")
    print(f"{'ticks a second, last level':28} {ticks:9.3f} {'':9} {'':7}  {tick_target:.2f} +- 1 %")
    missed = [name for name, ok in (
        ('page size', game_size[1] <= 6e6), ('load time', load['game'] <= 3),
        ('title CPU', median['title'][0] <= 1.5 * ref_cpu),
        ('tick rate', abs(ticks / tick_target - 1) <= 0.01)) if not ok]
    if missed:
        fail("missed: " + ', '.join(missed))


main()
