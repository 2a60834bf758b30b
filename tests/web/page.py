"""The browser tests' (play.py) and the browser benchmarks' (bench/web.py) page: one engine of
engines.py of the caller's own, at a desktop's, a tablet's or a phone's size, on pages served from
127.0.0.1 by a plain static server, played with real input events. Every wait is for the thing
itself, bounded; a failure says what it waited for."""
import functools, http.server, io, sys, threading, time

from PIL import Image

from engines import ENGINES

# The end-to-end entry: the game opening at a screen, or telling the screens' layout.
ENTRY = 'cratefall_e2e_entry'
# A script's start that finds the canvas of the window with a caption, if it is shown.
CANVAS_OF = '''const canvasOf = caption => { const shown = [...document.getElementById(
    'qt-shadow-container').shadowRoot.querySelectorAll('.qt-window')].find(
    w => w.querySelector('.window-name').innerText == caption);
    return shown && shown.querySelector('canvas'); };
'''


def fail(message):
    sys.exit(f"FAILED: {message}")


def step(text):
    print(f"== {text}", flush=True)


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(folder):
    handler = functools.partial(Quiet, directory=folder)
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class Page:
    """One browser of the caller's own, an engine of ENGINES, with a profile in SCRATCH and SITE
    served to it, on a page of SIZE CSS pixels at a device SCALE, played by touch or mouse."""

    def __init__(self, site, scratch, engine='chromium', size=(1280, 1024), scale=1,
                 touch=False):
        self.site, self.scratch, self.server = site, scratch, serve(site)
        self.url = f'http://127.0.0.1:{self.server.server_port}/'
        scratch.mkdir(parents=True, exist_ok=True)
        self.engine = ENGINES[engine](scratch, *size, scale, touch)
        self.scale, self.pointer = scale, 'touch' if touch else 'mouse'

    def close(self):
        self.console = self.engine.errors()
        self.engine.quit()
        self.stop_serving()

    def stop_serving(self):
        """The server gone: its address refuses every connection."""
        self.server.shutdown()
        self.server.server_close()

    def open(self, program='cratefall', *arguments):
        """The release's page, or a copy of it that runs another program of the site (the tests'
        entry, the benchmarks' bare window) with these arguments."""
        page = 'index.html'
        if program != 'cratefall' or arguments:
            page = f'{"-".join((program,) + arguments)}.html'
            (self.site / page).write_text((self.site / 'index.html').read_text().replace(
                'data-program="cratefall"',
                f'data-program="{program}" data-arguments="{" ".join(arguments)}"'))
        self.engine.open(self.url + page)

    def until(self, what, check, limit=60):
        deadline = time.monotonic() + limit
        while time.monotonic() < deadline:
            found = check()
            if found:
                return found
            time.sleep(0.05)
        what = what() if callable(what) else what
        self.shot_page(what)
        fail(f"{what}: not within {limit} s (page in {self.scratch})")

    def script(self, code, *arguments):
        return self.engine.script(code, *arguments)

    def windows(self):
        """The game's windows on screen: caption, the client's place in the page, and the frame's."""
        return self.script('''const host = document.getElementById('qt-shadow-container');
            const place = r => ({x: r.x, y: r.y, width: r.width, height: r.height});
            return [...(host ? host.shadowRoot.querySelectorAll('.qt-window') : [])]
            .filter(w => w.style.display !== 'none')
            .map(w => Object.assign(place(w.querySelector('canvas').getBoundingClientRect()), {
                caption: w.querySelector('.window-name').innerText,
                frame: place(w.getBoundingClientRect())}));''')

    def window(self, caption, limit=60):
        return self.until(f'a window "{caption}"',
                          lambda: next((w for w in self.windows() if w['caption'] == caption), None),
                          limit)

    def gone(self, caption):
        self.until(f'no window "{caption}"',
                   lambda: all(w['caption'] != caption for w in self.windows()))

    def shot(self, window, name):
        page = Image.open(io.BytesIO(self.engine.screenshot())).convert('RGB')
        box = tuple(round(window[k] * self.scale) for k in ('x', 'y'))
        image = page.crop(box + (box[0] + round(window['width'] * self.scale),
                                 box[1] + round(window['height'] * self.scale)))
        image.save(self.scratch / f'{name}.png')
        return image

    def shot_page(self, name):
        (self.scratch / f'page-{name.replace(" ", "_")[:40]}.png').write_bytes(
            self.engine.screenshot())

    def keys(self, *keys, held=None):
        """Types the keys, with a modifier held down throughout when one is given."""
        typed = [a for key in ''.join(keys) for a in (
            {'type': 'keyDown', 'value': key}, {'type': 'keyUp', 'value': key})]
        if held:
            typed = [{'type': 'keyDown', 'value': held}] + typed + [{'type': 'keyUp', 'value': held}]
        self.engine.actions([{'type': 'key', 'id': 'keyboard', 'actions': typed}])

    def boxes(self, window, columns, bottom, width):
        """Where to click each box in sight, found down its column on the window's canvas: the
        first pixel unlike the column's colour at the very bottom, a little way into the box.
        COLUMNS and BOTTOM are in the game's pixels, of a window WIDTH wide; the points in the
        page's."""
        return self.script(CANVAS_OF + '''const [caption, xs, bottom, width] = arguments;
            const canvas = canvasOf(caption);
            if (!canvas) return [];
            const scale = canvas.width / width, page = canvas.getBoundingClientRect().width / width;
            const low = Math.floor(bottom * scale);
            const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, low).data;
            const at = (x, y) => pixels.slice(4 * (y * canvas.width + x), 4 * (y * canvas.width + x) + 3).join();
            return xs.map(x => Math.round(x * scale)).map(x => {
                for (let y = 0; y < low - 1; ++y)
                    if (at(x, y) != at(x, low - 1)) return [x / scale * page, (y / scale + 24) * page];
                return null; }).filter(Boolean);''', window['caption'], columns, bottom, width)

    def clicks(self, window, points):
        """Presses and releases at each point of the window's client, a click or a tap."""
        pressed = [a for x, y in points for a in (
            {'type': 'pointerMove', 'x': round(window['x'] + x), 'y': round(window['y'] + y),
             'origin': 'viewport', 'duration': 0},
            {'type': 'pointerDown', 'button': 0}, {'type': 'pointerUp', 'button': 0})]
        if pressed:
            self.engine.actions([{'type': 'pointer', 'id': self.pointer, 'actions': pressed,
                                  'parameters': {'pointerType': self.pointer}}])


class Layout:
    """The screens as the entry tells them: captions, controls and falls, in pixels (twips / 15)."""

    @classmethod
    def of(cls, page):
        page.open(ENTRY, '--layout')
        return cls(page.until('the layout from the entry', lambda: page.script(
            "return window.cratefallOutput.length > 0 && window.cratefallOutput")))

    def __init__(self, lines):
        self.captions, self.controls, self.falls, self.texts, self.order = {}, {}, {}, {}, []
        self.widths = {}
        for line in lines:
            kind, screen, *rest = line.split(' ')
            if kind == 'window':
                self.order.append(screen)
                self.captions[screen] = ' '.join(rest[2:])
                self.widths[screen] = int(rest[0]) // 15
            elif kind == 'control':
                self.controls[screen, rest[0]] = [int(v) // 15 for v in rest[1:]]
            elif kind == 'text':
                self.texts.setdefault(screen, set()).add(' '.join(rest[1:]).replace('&', ''))
            elif kind == 'fall':
                self.falls.setdefault(screen, []).append(int(rest[1]) // 15)
        # The title, the levels in order, then the victory, how-to-play and about screens.
        self.title, self.levels, self.victory = self.order[0], self.order[1:-3], self.order[-3]

    def rect(self, screen, control):
        left, top, width, height = self.controls[screen, control]
        return left, top, left + width, top + height

    def centre(self, screen, control):
        left, top, right, bottom = self.rect(screen, control)
        return (left + right) // 2, (top + bottom) // 2

    def columns(self, screen):
        """The middle of each box's column, how far down a box may be seen in it (the score
        labels' top: below it they hide the boxes), and the window's width."""
        return ([left + self.controls[screen, f'Image{n}'][2] // 2
                 for n, left in enumerate(self.falls[screen], 1)],
                min(self.controls[screen, label][1] for label in ('Label1', 'Label2')),
                self.widths[screen])
