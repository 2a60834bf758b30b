#!/usr/bin/python3
"""The browser release in Debian's headless Chromium, through WebDriver and its real input events,
served from 127.0.0.1 by a plain static server. The release's own page plays the game; copies of
it run the end-to-end entry, which tells the screens' layout from the game's tables and opens the
game at a screen. Every wait is for the thing itself, bounded; a failure says what it waited for.

    play.py SITE SCRATCH REFERENCES
SITE holds the release folder's files and the entry's; SCRATCH takes the browser's profile, the
screenshots and the certificate; REFERENCES the Linux screenshots the page is compared with."""
import base64, functools, http.server, io, subprocess, sys, threading, time
from pathlib import Path

from PIL import Image, ImageChops
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.keys import Keys

site, scratch, references = (Path(arg) for arg in sys.argv[1:4])
# Pixels of text edges that the browser's FreeType and Linux's may smooth differently (see
# docs/web.md); anything else that differs, a misplaced control or a wrong font or colour, is
# hundreds of pixels.
TEXT_EDGE_TOLERANCE = 0.01


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
    return f'http://127.0.0.1:{server.server_port}/'


class Page:
    """One headless Chromium of the test's own, on a profile in SCRATCH, at a device scale."""

    def __init__(self, scale=1):
        options = webdriver.ChromeOptions()
        for flag in ('--headless=new', '--no-sandbox', '--disable-gpu', '--no-first-run',
                     '--disable-background-networking', '--disable-component-update',
                     '--disable-sync', '--window-size=1280,1024',
                     f'--force-device-scale-factor={scale}',
                     f'--user-data-dir={scratch}/profile-{scale}'):
            options.add_argument(flag)
        options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
        service = Service('/usr/bin/chromedriver',
                          log_path=str(scratch / f'chromedriver-{scale}.log'))
        self.driver = webdriver.Chrome(service=service, options=options)
        self.scale = scale
        self.console = []

    def close(self):
        self.read_console()
        self.driver.quit()

    def read_console(self):
        self.console += self.driver.get_log('browser')

    def open(self, page, *arguments):
        """The release's page, or a copy of it that runs the entry with these arguments."""
        if arguments:
            text = (site / 'index.html').read_text().replace(
                'data-program="cratefall"',
                f'data-program="cratefall_e2e_entry" data-arguments="{" ".join(arguments)}"')
            page = f'entry-{"-".join(arguments)}.html'
            (site / page).write_text(text)
        self.read_console()
        self.driver.get(url + page)

    def until(self, what, check, limit=60):
        deadline = time.monotonic() + limit
        while time.monotonic() < deadline:
            found = check()
            if found:
                return found
            time.sleep(0.05)
        self.shot_page(what)
        fail(f"{what}: not within {limit} s (page in {scratch})")

    def script(self, code, *arguments):
        return self.driver.execute_script(code, *arguments)

    def windows(self):
        """The game's windows on screen: caption, and the client's place in the page."""
        return self.script('''const host = document.getElementById('qt-shadow-container');
            return [...(host ? host.shadowRoot.querySelectorAll('.qt-window') : [])]
            .filter(w => w.style.display !== 'none')
            .map(w => { const r = w.querySelector('canvas').getBoundingClientRect();
                        return {caption: w.querySelector('.window-name').innerText,
                                x: r.x, y: r.y, width: r.width, height: r.height}; });''')

    def window(self, caption, limit=60):
        return self.until(f'a window "{caption}"',
                          lambda: next((w for w in self.windows() if w['caption'] == caption), None),
                          limit)

    def gone(self, caption):
        self.until(f'no window "{caption}"',
                   lambda: all(w['caption'] != caption for w in self.windows()))

    def shot(self, window, name):
        page = Image.open(io.BytesIO(self.driver.get_screenshot_as_png())).convert('RGB')
        box = tuple(round(window[k] * self.scale) for k in ('x', 'y'))
        image = page.crop(box + (box[0] + round(window['width'] * self.scale),
                                 box[1] + round(window['height'] * self.scale)))
        image.save(scratch / f'{name}.png')
        return image

    def shot_page(self, name):
        self.driver.save_screenshot(str(scratch / f'page-{name.replace(" ", "_")[:40]}.png'))

    def keys(self, *keys, held=None):
        """Types the keys, with a modifier held down throughout when one is given."""
        actions = ActionChains(self.driver)
        if held:
            actions.key_down(held)
        actions.send_keys(*keys)
        if held:
            actions.key_up(held)
        actions.perform()

    def boxes(self, window, columns, bottom):
        """Where to click each box in sight, found down its column on the window's canvas: the
        first pixel unlike the column's colour at the very bottom, a little way into the box."""
        return self.script('''const [caption, xs, bottom] = arguments;
            const shown = [...document.getElementById('qt-shadow-container').shadowRoot
                .querySelectorAll('.qt-window')].find(w => w.querySelector('.window-name').innerText == caption);
            if (!shown) return [];
            const canvas = shown.querySelector('canvas');
            const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, bottom).data;
            const at = (x, y) => pixels.slice(4 * (y * canvas.width + x), 4 * (y * canvas.width + x) + 3).join();
            return xs.map(x => { for (let y = 0; y < bottom - 1; ++y)
                                     if (at(x, y) != at(x, bottom - 1)) return [x, y + 24];
                                 return null; }).filter(Boolean);''', window['caption'], columns, bottom)

    def clicks(self, window, points):
        """Presses and releases the left button at each point of the window's client."""
        actions = ActionBuilder(self.driver, duration=0)
        for x, y in points:
            actions.pointer_action.move_to_location(round(window['x'] + x), round(window['y'] + y))
            actions.pointer_action.click()
        actions.perform()


def differing(a, b, area=None, by=0):
    """Pixels that differ between two images of one size by more than BY in a colour, within AREA
    (left, top, right, bottom)."""
    if a.size != b.size:
        fail(f"sizes differ: {a.size} and {b.size}")
    diff = ImageChops.difference(a, b)
    if area:
        diff = diff.crop(area)
    return sum(1 for pixel in diff.getdata() if max(pixel) > by)


class Layout:
    """The screens as the entry tells them: captions, controls and falls, in pixels (twips / 15)."""

    def __init__(self, lines):
        self.captions, self.controls, self.falls, self.order = {}, {}, {}, []
        for line in lines:
            kind, screen, *rest = line.split(' ')
            if kind == 'window':
                self.order.append(screen)
                self.captions[screen] = ' '.join(rest[2:])
            elif kind == 'control':
                self.controls[screen, rest[0]] = [int(v) // 15 for v in rest[1:]]
            elif kind == 'fall':
                self.falls.setdefault(screen, []).append(int(rest[1]) // 15)
        # The title, the levels in order, then the victory, how-to-play and about screens.
        self.title, self.levels, self.victory = self.order[0], self.order[1:-3], self.order[-3]

    def rect(self, screen, control):
        left, top, width, height = self.controls[screen, control]
        return left, top, left + width, top + height

    def columns(self, screen):
        """The middle of each box's column, and how far down a box may be seen in it (the score
        labels' top: below it they hide the boxes)."""
        return ([left + self.controls[screen, f'Image{n}'][2] // 2
                 for n, left in enumerate(self.falls[screen], 1)],
                min(self.controls[screen, label][1] for label in ('Label1', 'Label2')))


def compare(image, reference_name, mask_columns=()):
    """The page's pixels against Linux's, outside columns where pictures fall."""
    reference = Image.open(references / reference_name).convert('RGB')
    for left, right in mask_columns:
        for picture in (image, reference):
            picture.paste((0, 0, 0), (left, 0, right, picture.height))
    count = differing(image, reference)
    print(f"{reference_name}: {count} of {image.width * image.height} pixels differ from Linux's")
    if count > TEXT_EDGE_TOLERANCE * image.width * image.height:
        fail(f"{reference_name}: {count} pixels differ from Linux's (see {scratch})")


def play_release(page, layout):
    title, level1 = layout.title, layout.levels[0]
    step("the title, as on Linux; File, Play opens level 1, waiting as on Linux")
    asked = time.monotonic()
    page.open('index.html')
    window = page.window(layout.captions[title])
    print(f"the title showed {time.monotonic() - asked:.2f} s after the page was asked for")
    columns = [(left, left + layout.controls[title, f'Image{n}'][2])
               for n, left in enumerate(layout.falls[title], 1)]
    compare(page.shot(window, 'title'), 'title.png', columns)
    page.keys('f', held=Keys.ALT)
    page.keys('p')
    window = page.window(layout.captions[level1])
    page.gone(layout.captions[title])
    compare(page.shot(window, 'level1-waiting'), 'level1.png')

    step("the start click; a box scored; the level held while its tab is hidden")
    score = layout.rect(level1, 'Label1')
    before = page.shot(window, 'level1-before')
    page.clicks(window, [(window['width'] // 2, window['height'] - 20)])
    page.until('a box scored', lambda: page.clicks(window, page.boxes(window, *layout.columns(level1)))
               or differing(before, page.shot(window, 'level1-scored'), score))
    page.script('''Object.defineProperty(document, 'hidden', {value: true, configurable: true});
        Object.defineProperty(document, 'visibilityState', {value: 'hidden', configurable: true});
        document.dispatchEvent(new Event('visibilitychange'));''')
    held = page.shot(window, 'hidden-a')
    time.sleep(1)  # how long the hidden level is watched, not a wait
    if differing(held, page.shot(window, 'hidden-b')):
        fail("the level moved on while its tab was hidden")
    page.script('''delete document.hidden; delete document.visibilityState;
        document.dispatchEvent(new Event('visibilitychange'));''')
    page.until('the level going on once its tab is back',
               lambda: differing(held, page.shot(window, 'shown')))

    step("P opens the pause box, which holds the level; Enter closes it")
    page.keys('p')
    box = page.window('Cratefall')
    paused = page.shot(window, 'paused-a')
    time.sleep(1)  # how long the paused level is watched, not a wait
    if differing(paused, page.shot(window, 'paused-b')):
        fail("the level moved on under the pause box")
    page.keys(Keys.ENTER)
    page.gone('Cratefall')

    step("left alone the level is lost: its box, Enter, and the title is back")
    page.window('Tilefall')
    page.keys(Keys.ENTER)
    page.window(layout.captions[title])
    step("Ctrl+F4 ends the game: the page says so and offers another")
    page.keys(Keys.F4, held=Keys.CONTROL)
    page.until('the page saying the game has ended', lambda: page.script(
        "return !document.getElementById('ended').hidden && "
        "document.getElementById('ended-text').textContent"))
    page.driver.find_element('id', 'again').click()
    page.window(layout.captions[title])


def win_and_print(page, layout):
    level1, level2 = layout.levels[0], layout.levels[1]
    step("the entry at level 1: the robot clicks the boxes until the win box; Enter opens level 2")
    page.open('index.html', level1)
    window = page.window(layout.captions[level1])
    page.clicks(window, [(window['width'] // 2, window['height'] - 20)])
    page.until('the win box', lambda: page.clicks(window, page.boxes(window, *layout.columns(level1)))
               or any(w['caption'] == 'Cratefall' for w in page.windows()))
    # The clicks that came after the box took the keys to the level (as a click on a level does
    # under a box on some desktops): a click on the box gives them back.
    page.clicks(page.window('Cratefall'), [(10, 10)])
    page.keys(Keys.ENTER)
    page.window(layout.captions[level2])

    step("the entry at the victory screen: a click in the name box, a name, Enter prints it")
    page.open('index.html', layout.victory)
    window = page.window(layout.captions[layout.victory])
    left, top, right, bottom = layout.rect(layout.victory, 'Text1')
    page.clicks(window, [((left + right) // 2, (top + bottom) // 2)])
    page.keys('Ada Lovelace', Keys.ENTER)
    pdf = page.until('the certificate handed to the browser', lambda: page.driver.execute_async_script(
        '''const done = arguments[0], frame = document.getElementById('certificate');
        if (!frame.src) return done(null);
        fetch(frame.src).then(r => r.arrayBuffer()).then(b => done(btoa(
            new Uint8Array(b).reduce((s, c) => s + String.fromCharCode(c), ''))));'''))
    (scratch / 'certificate.pdf').write_bytes(base64.b64decode(pdf))
    text = subprocess.run(['pdftotext', scratch / 'certificate.pdf', '-'], capture_output=True,
                          text=True, check=True).stdout
    pages = subprocess.run(['pdfinfo', scratch / 'certificate.pdf'], capture_output=True,
                           text=True, check=True).stdout
    if 'Ada Lovelace' not in text or 'Pages:           1' not in pages:
        fail(f"the certificate is not one page with the name on it: {text!r}, {pages!r}")
    subprocess.run(['pdftoppm', '-png', '-r', '50', scratch / 'certificate.pdf',
                    scratch / 'certificate'], check=True)
    page.until('the page saying the game has ended',
               lambda: not page.script("return document.getElementById('ended').hidden"))


def crisp_at_scale_two(layout, level1_at_one):
    step("at a device scale of 2 level 1 waits drawn at twice the pixels, as it is at 1")
    page = Page(scale=2)
    try:
        page.open('index.html', layout.levels[0])
        window = page.window(layout.captions[layout.levels[0]])
        sharp = page.shot(window, 'level1-scale2')
        # Text drawn at twice the size and halved is shaded unlike text drawn at its size: only a
        # difference of more than a quarter of a colour's range counts.
        halved = sharp.resize(level1_at_one.size, Image.Resampling.BOX)
        count = differing(halved, level1_at_one, by=64)
        if count > TEXT_EDGE_TOLERANCE * halved.width * halved.height:
            fail(f"at scale 2 the level differs from scale 1 in {count} pixels")
        doubled = sharp.resize(level1_at_one.size).resize(sharp.size, Image.Resampling.NEAREST)
        label = tuple(2 * v for v in layout.rect(layout.levels[0], 'Label4'))
        if not differing(sharp, doubled, label):
            fail("at scale 2 the text is scale 1's, enlarged")
    finally:
        page.close()


def main():
    global url
    scratch.mkdir(parents=True, exist_ok=True)
    url = serve(site)
    page = Page()
    try:
        page.open('index.html', '--layout')
        layout = Layout(page.until('the layout from the entry', lambda: page.script(
            "return window.cratefallOutput.length > 0 && window.cratefallOutput")))
        play_release(page, layout)
        win_and_print(page, layout)
    finally:
        page.close()
    crisp_at_scale_two(layout, Image.open(scratch / 'level1-waiting.png'))
    errors = [entry['message'] for entry in page.console if entry['level'] == 'SEVERE']
    if errors:
        fail("the page's console has errors:\n" + '\n'.join(errors))
    print("the browser release played as on Linux")


main()
