#!/usr/bin/python3
"""The browser release in every engine of engines.py (Chromium, Firefox, WebKitGTK), with real
input events, served from 127.0.0.1 by a plain static server. The release's own page plays the game; copies of
it run the end-to-end entry, which tells the screens' layout from the game's tables and opens the
game at a screen. Every wait is for the thing itself, bounded; a failure says what it waited for.

    play.py SITE SCRATCH REFERENCES
SITE holds the release folder's files and the entry's; SCRATCH takes the browser's profile, the
screenshots and the certificate; REFERENCES the Linux screenshots the page is compared with."""
import base64, subprocess, sys, time
from pathlib import Path

from PIL import Image, ImageChops
from selenium.webdriver.common.keys import Keys

from engines import ENGINES
from page import ENTRY, Layout, Page, fail, step

site, scratch, references = (Path(arg) for arg in sys.argv[1:4])
# Pixels of text edges that the browser's FreeType and Linux's may smooth differently (see
# docs/web.md); anything else that differs, a misplaced control or a wrong font or colour, is
# hundreds of pixels.
TEXT_EDGE_TOLERANCE = 0.01


def differing(a, b, area=None, by=0):
    """Pixels that differ between two images of one size by more than BY in a colour, within AREA
    (left, top, right, bottom)."""
    if a.size != b.size:
        fail(f"sizes differ: {a.size} and {b.size}")
    diff = ImageChops.difference(a, b)
    if area:
        diff = diff.crop(area)
    return sum(1 for pixel in diff.getdata() if max(pixel) > by)


def compare(image, reference_name, mask_columns=()):
    """The page's pixels against Linux's, outside columns where pictures fall."""
    reference = Image.open(references / reference_name).convert('RGB')
    for left, right in mask_columns:
        for picture in (image, reference):
            picture.paste((0, 0, 0), (left, 0, right, picture.height))
    count = differing(image, reference)
    print(f"{reference_name}: {count} of {image.width * image.height} pixels differ from Linux's")
    if count > TEXT_EDGE_TOLERANCE * image.width * image.height:
        fail(f"{reference_name}: {count} pixels differ from Linux's (see the screenshots in {scratch})")


def keys_with(page, caption):
    """Waits for the keys to be with the game's window of that caption, as on a desktop."""
    def window_with_keys():
        return page.script('''const focused = document.getElementById('qt-shadow-container')
            .shadowRoot.activeElement, window = focused && focused.closest('.qt-window');
            return window && window.querySelector('.window-name').innerText;''')
    page.until(lambda: f'the keys with "{caption}", not "{window_with_keys()}"',
               lambda: window_with_keys() == caption, limit=10)


def standing_still(page, window, name, what):
    """The window's picture once it stands still (a screenshot may show a frame drawn before the
    game was held), checked to stay so for a second."""
    shots = [page.shot(window, f'{name}-a')]
    page.until(f'{what} standing still', lambda: shots.append(page.shot(window, f'{name}-a'))
               or not differing(shots[-2], shots[-1]), limit=10)
    time.sleep(1)  # how long it is watched, not a wait
    if differing(shots[-1], page.shot(window, f'{name}-b')):
        fail(f"{what} moved on")
    return shots[-1]


def press(page, element):
    """A click, or a tap, on one of the page's own controls."""
    place = page.until(f'the page showing #{element}', lambda: page.script(
        '''const r = document.getElementById(arguments[0]).getBoundingClientRect();
        return r.width > 0 && {x: r.x, y: r.y, width: r.width, height: r.height};''', element))
    page.clicks(place, [(place['width'] / 2, place['height'] / 2)])


def play_release(page, layout):
    title, level1 = layout.title, layout.levels[0]
    step("the title, as on Linux; File, Play opens level 1, waiting as on Linux")
    asked = time.monotonic()
    page.open()
    window = page.window(layout.captions[title])
    print(f"the title showed {time.monotonic() - asked:.2f} s after the page was asked for")
    faces = page.script('''return [document.getElementById('screen'), document.getElementById(
        'qt-shadow-container').shadowRoot.querySelector('.window-name')].map(
        e => getComputedStyle(e).fontFamily);''')
    if faces[0] != faces[1]:
        fail(f"the captions are set in {faces[1]}, not in the screen's {faces[0]}")
    page.keys(Keys.TAB)
    shown = page.script('''return [...document.querySelectorAll('.notice')].filter(
        n => getComputedStyle(n).display != 'none').map(n => n.innerText.trim())
        .concat(document.activeElement.id == 'qt-shadow-container' ? [] :
                [`the keys with #${document.activeElement.id}`]);''')
    if shown:
        fail(f"while the game plays the page shows or has the keys: {shown}")
    # The pictures open where the layout puts them and fall in their columns from the first tick,
    # which may come before the screenshot or after it.
    columns = [(left, left + layout.controls[title, f'Image{n}'][2])
               for n, fall in enumerate(layout.falls[title], 1)
               for left in (fall, layout.controls[title, f'Image{n}'][0])]
    compare(page.shot(window, 'title'), 'title.png', columns)
    page.keys('f', held=Keys.ALT)
    page.keys('p')
    window = page.window(layout.captions[level1])
    page.gone(layout.captions[title])
    compare(page.shot(window, 'level1-waiting'), 'level1.png')

    step("the start click; a box scored; the level held while its tab is hidden")
    score = layout.rect(level1, 'Label1')
    before = page.shot(window, 'level1-before')
    page.clicks(window, [layout.centre(level1, 'Label4')])
    page.until('a box scored', lambda: page.clicks(window, page.boxes(window, *layout.columns(level1)))
               or differing(before, page.shot(window, 'level1-scored'), score))
    page.script('''Object.defineProperty(document, 'hidden', {value: true, configurable: true});
        Object.defineProperty(document, 'visibilityState', {value: 'hidden', configurable: true});
        document.dispatchEvent(new Event('visibilitychange'));''')
    held = standing_still(page, window, 'hidden', "the level while its tab is hidden")
    page.script('''delete document.hidden; delete document.visibilityState;
        document.dispatchEvent(new Event('visibilitychange'));''')
    page.until('the level going on once its tab is back',
               lambda: differing(held, page.shot(window, 'shown')))

    step("P opens the pause box, which holds the level; Enter closes it")
    page.keys('p')
    keys_with(page, 'Cratefall')
    standing_still(page, window, 'paused', "the level under the pause box")
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
    press(page, 'again')
    page.window(layout.captions[title])


def scaled(window, layout, screen, *points):
    """Points of the game's pixels, in the page's, where the game is drawn smaller."""
    factor = window['width'] / layout.widths[screen]
    return [(x * factor, y * factor) for x, y in points]


def tap_ok(page):
    """A tap on the message box's OK: the block unlike the box's background low in it."""
    box = page.window('Cratefall')
    shot = page.shot(box, 'box')
    background = shot.getpixel((2, shot.height - 2))
    lower = [(x, y) for y in range(shot.height // 2, shot.height) for x in range(shot.width)
             if max(abs(a - b) for a, b in zip(shot.getpixel((x, y)), background)) > 40]
    middle = ((min(x for x, _ in lower) + max(x for x, _ in lower)) / 2,
              (min(y for _, y in lower) + max(y for _, y in lower)) / 2)
    page.clicks(box, [(middle[0] / page.scale, middle[1] / page.scale)])
    page.gone('Cratefall')


def win_and_print(page, layout, touch=False):
    level1, level2, victory = layout.levels[0], layout.levels[1], layout.victory
    step("the entry at level 1: the robot clicks the boxes until the win box; its OK opens level 2")
    page.open(ENTRY, level1)
    window = page.window(layout.captions[level1])
    page.clicks(window, scaled(window, layout, level1, layout.centre(level1, 'Label4')))
    # One box a time: a box or two more in the same go could pass the score the level is won at.
    page.until('the win box', lambda: page.clicks(
        window, page.boxes(window, *layout.columns(level1))[:1])
        or any(w['caption'] == 'Cratefall' for w in page.windows()))
    if touch:
        tap_ok(page)
    else:
        # The clicks that came after the box took the keys to the level (as a click on a level
        # does under a box on some desktops): a click on the box gives them back.
        page.clicks(page.window('Cratefall'), [(10, 10)])
        page.keys(Keys.ENTER)
    window = page.window(layout.captions[level2])
    if touch:
        step("without a key: the page's Pause button opens the pause box, which holds the level")
        page.clicks(window, scaled(window, layout, level2, layout.centre(level2, 'Label4')))
        press(page, 'pause')
        held = standing_still(page, window, 'paused', "the level under the pause box")
        tap_ok(page)
        page.until('the level going on once the box is closed',
                   lambda: differing(held, page.shot(window, 'going-on')))

    step("the entry at the victory screen: the name box, a name typed into it, and printed")
    page.open(ENTRY, victory)
    window = page.window(layout.captions[victory])
    # What the browser is asked to print, in place of its print dialog.
    page.script('''window.printed = []; window.print = () => window.printed.push('the page');
        const frames = Object.getOwnPropertyDescriptor(HTMLIFrameElement.prototype, 'contentWindow');
        Object.defineProperty(HTMLIFrameElement.prototype, 'contentWindow', {get() {
            return this.id != 'certificate' ? frames.get.call(this) : {
                focus: () => {}, print: () => window.printed.push(this.title)}; }});''')
    page.clicks(window, scaled(window, layout, victory, layout.centre(victory, 'Text1')))
    if touch:
        # The on-screen keyboard comes up for the text field that has the page's keys, and types
        # into it: Qt's input field outside the game's windows.
        page.until('the on-screen keyboard: the keys in a text field of the page', lambda: page.script(
            "return document.activeElement instanceof HTMLInputElement"))
        page.keys('Ada Lovelace')
        page.clicks(window, scaled(window, layout, victory, layout.centre(victory, 'Command2')))
    else:
        page.keys('Ada Lovelace', Keys.ENTER)
    pdf = page.until('the certificate handed to the browser', lambda: page.script(
        '''const frame = document.getElementById('certificate');
        return frame.src && fetch(frame.src).then(r => r.arrayBuffer()).then(b => btoa(
            new Uint8Array(b).reduce((s, c) => s + String.fromCharCode(c), '')));'''))
    (page.scratch / 'certificate.pdf').write_bytes(base64.b64decode(pdf))
    text = subprocess.run(['pdftotext', page.scratch / 'certificate.pdf', '-'], capture_output=True,
                          text=True, check=True).stdout
    pages = subprocess.run(['pdfinfo', page.scratch / 'certificate.pdf'], capture_output=True,
                           text=True, check=True).stdout
    if 'Ada Lovelace' not in text or 'Pages:           1' not in pages:
        fail(f"the certificate is not one page with the name on it: {text!r}, {pages!r}")
    printed = page.engine.shows_pdf_in_frames and page.until(
        'the certificate printed', lambda: page.script('return window.printed'))
    if printed and printed != [layout.captions[victory]]:
        fail(f"the browser was asked to print {printed}, not the certificate")
    us = page.script("return navigator.language").endswith('-US')
    if ('(letter)' in pages) != us or ('(A4)' in pages) == us:
        fail(f"the certificate is not on {'US Letter' if us else 'A4'}: {pages!r}")
    subprocess.run(['pdftoppm', '-png', '-r', '50', page.scratch / 'certificate.pdf',
                    page.scratch / 'certificate'], check=True)
    page.until('the page saying the game has ended',
               lambda: not page.script("return document.getElementById('ended').hidden"))


# Phones' and tablets' pages, both ways up, and a desktop browser's window as small as a phone
# turned: CSS pixels, device scale, and whether it is played by touch.
SMALL_PAGES = {'phone': ((390, 844), 3, True), 'phone turned': ((844, 390), 3, True),
               'tablet': ((768, 1024), 2, True), 'tablet turned': ((1024, 768), 2, True),
               'small window': ((844, 390), 1, False)}


def every_screen_whole(engine, layout):
    for name, (size, scale, touch) in SMALL_PAGES.items():
        step(f"on a {name}'s page, {size[0]}x{size[1]}, every level and the victory screen whole")
        page = Page(site, scratch / f'{engine}-{name.replace(" ", "-")}', engine, size, scale, touch)
        try:
            for screen in layout.levels + [layout.victory]:
                page.open(ENTRY, screen)
                page.until(lambda: f"{screen} whole on the page: {page.windows()}", lambda: all(
                    0 <= f['x'] and f['x'] + f['width'] <= size[0] and 0 <= f['y'] and
                    f['y'] + f['height'] <= size[1] for f in [page.window(
                        layout.captions[screen])['frame']]), limit=10)
            # Where the game is drawn smaller, a tap or a click lands where the player sees it.
            if name in ('phone', 'small window'):
                win_and_print(page, layout, touch)
        finally:
            page.close()
        console_clean(page)


def offline(page, layout):
    step("once visited, the page starts with its server gone")
    page.open()
    # Visited: the game shown, every file of it fetched (the server gone mid-fetch fails the page).
    page.window(layout.captions[layout.title])
    page.until('the page kept for offline', lambda: page.script(
        "return !!(navigator.serviceWorker && navigator.serviceWorker.controller)"))
    page.stop_serving()
    page.open()
    page.window(layout.captions[layout.title])


def heard(page, what, names):
    """Waits for the browser's accessibility tree, which screen readers read, to hold the names,
    each alone or at the start of a longer one (About's "Contact:" names the card it introduces)."""
    def missing():
        tree = page.engine.accessible_names() - {None}
        return {name for name in names if not any(n.startswith(name) for n in tree)}
    page.until(lambda: f"the accessibility tree to hold {what}; missing {sorted(missing())}",
               lambda: not missing(), limit=10)


def reader_on(page, caption, *program):
    """The page of the program, its screen reader switched on through the button Qt gives it."""
    page.open(*program)
    page.window(caption)
    page.script("""[...document.getElementById('qt-shadow-container').shadowRoot.querySelectorAll(
        'button')].find(b => b.innerText == 'Enable Screen Reader').click();""")


def screen_reader(page, layout):
    title, level1, victory = layout.title, layout.levels[0], layout.victory
    step("a screen reader switched on: the captions, menus, texts and boxes in the page's tree; "
         "Escape closes a box")
    reader_on(page, layout.captions[title])
    heard(page, title, {layout.captions[title]} | layout.texts.get(title, set()))
    page.keys('f', held=Keys.ALT)
    page.keys('p')
    page.window(layout.captions[level1])
    heard(page, level1, {layout.captions[level1]} | layout.texts.get(level1, set()))
    page.keys('p')
    page.window('Cratefall')
    heard(page, 'the pause box', {'Cratefall', 'Game Paused.', 'OK'})
    page.keys(Keys.ESCAPE)
    page.gone('Cratefall')
    for screen in (victory,) + tuple(layout.order[-2:]):
        reader_on(page, layout.captions[screen], ENTRY, screen)
        heard(page, screen, {layout.captions[screen]} | layout.texts[screen])


def crisp_at_scale_two(engine, layout, level1_at_one):
    step("at a device scale of 2 level 1 waits drawn at twice the pixels, as it is at 1")
    page = Page(site, scratch / f'{engine}-scale2', engine, scale=2)
    try:
        page.open(ENTRY, layout.levels[0])
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


def console_clean(page):
    if page.console:
        fail("the page's console has errors:\n" + '\n'.join(page.console))


def main():
    step("the release's licences are the ones it names")
    for name, words in (('Qt-LGPL-3.0.txt', 'Version 3, 29 June 2007'),
                        ('GPL-3.0.txt', 'Version 3, 29 June 2007')):
        if words not in (site / 'licenses' / name).read_text():
            fail(f"licenses/{name} is not the licence it names: no {words!r}")
    for engine, driver in ENGINES.items():
        step(f"in {engine}")
        page = Page(site, scratch / engine, engine)
        try:
            layout = Layout.of(page)
            play_release(page, layout)
            win_and_print(page, layout)
            if hasattr(driver, 'accessible_names'):
                screen_reader(page, layout)
            offline(page, layout)
        finally:
            page.close()
        console_clean(page)
        if driver.scales:
            crisp_at_scale_two(engine, layout, Image.open(page.scratch / 'level1-waiting.png'))
            every_screen_whole(engine, layout)
    print("the browser release played as on Linux in " + ', '.join(ENGINES))


main()
