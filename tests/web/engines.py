"""The browser engines the page is played in, each from Debian's archive, behind one small
interface: open a page, run a script, perform W3C input actions, take a screenshot of the page and
read its console's errors; for the benchmarks, the process the browser's descend from (pid) and
the words that tell, in a command line, a process that runs pages (page_process). Chromium and
WebKitGTK are driven through their WebDriver servers (chromium-driver, webkit2gtk-driver); Firefox
ESR through its own WebDriver BiDi, over a websocket (Debian has no geckodriver). Every call is
bounded."""
import asyncio, base64, glob, itertools, json, re, subprocess, threading

import websockets
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.remote.command import Command
from selenium.webdriver.webkitgtk.options import Options as WebKitOptions

LIMIT = 60
# WebKitGTK keeps no console log a driver can read: the page's errors are gathered by this, run
# in every page it opens, once loaded.
GATHER_ERRORS = '''if (!window.engineErrors) { window.engineErrors = [];
    const error = console.error.bind(console);
    console.error = (...args) => { window.engineErrors.push(args.join(' ')); error(...args); };
    addEventListener('error', e => window.engineErrors.push(String(e.message))); }'''


class Classic:
    """An engine behind a WebDriver server, through Selenium."""

    def script(self, code, *arguments):
        return self.driver.execute_script(code, *arguments)

    def actions(self, sources):
        self.driver.execute(Command.W3C_ACTIONS, {'actions': sources})

    def screenshot(self):
        return self.driver.get_screenshot_as_png()

    def quit(self):
        self.driver.quit()

    def pid(self):
        return self.driver.service.process.pid


class Chromium(Classic):
    scales = True
    shows_pdf_in_frames = True
    page_process = b'--type=renderer'

    def __init__(self, scratch, width, height, scale, touch):
        options = webdriver.ChromeOptions()
        for flag in ('--headless=new', '--no-sandbox', '--disable-gpu', '--no-first-run',
                     '--disable-background-networking', '--disable-component-update',
                     '--disable-sync', f'--window-size={width},{height}',
                     f'--force-device-scale-factor={scale}',
                     f'--user-data-dir={scratch}/chromium-profile'):
            options.add_argument(flag)
        options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
        self.driver = webdriver.Chrome(options=options, service=Service(
            '/usr/bin/chromedriver', log_path=str(scratch / 'chromedriver.log')))
        if touch:
            # A phone's or a tablet's page: a page viewport, touch events. Emulated, the page is
            # drawn again at every frame, at a cost the benchmarks would count: desktops are not.
            self.driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
                'width': width, 'height': height, 'deviceScaleFactor': scale, 'mobile': True})
            self.driver.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': True})
        self.logged = []

    def open(self, url):
        self.driver.get(url)

    def errors(self):
        self.logged += self.driver.get_log('browser')
        return [entry['message'] for entry in self.logged if entry['level'] == 'SEVERE']

    def accessible_names(self):
        tree = self.driver.execute_cdp_cmd('Accessibility.getFullAXTree', {})['nodes']
        return {node.get(k, {}).get('value') for node in tree for k in ('name', 'value')}


class WebKit(Classic):
    """WebKitGTK's MiniBrowser, on the X display the caller started: no device scale or touch
    of its own; it shows the game's certificate in no frame (the frame's page never loads), so the
    certificate never reaches its print dialog."""
    scales = False
    shows_pdf_in_frames = False
    page_process = b'WebKitWebProcess'

    def __init__(self, scratch, width, height, scale, touch):
        options = WebKitOptions()
        options.binary_location = glob.glob('/usr/lib/*/webkit2gtk-4.1/MiniBrowser')[0]
        options.add_argument('--automation')
        self.driver = webdriver.WebKitGTK(executable_path='/usr/bin/WebKitWebDriver',
                                          options=options,
                                          service_log_path=str(scratch / 'webkitdriver.log'))
        self.driver.set_window_size(width, height)

    def open(self, url):
        self.driver.get(url)
        self.script(GATHER_ERRORS)

    def errors(self):
        return self.script('return window.engineErrors || []')


class Firefox:
    """Firefox ESR, headless, through its WebDriver BiDi."""
    scales = True
    shows_pdf_in_frames = True
    page_process = b'-isForBrowser'

    def __init__(self, scratch, width, height, scale, touch):
        (scratch / 'firefox-profile').mkdir(exist_ok=True)
        log = scratch / 'firefox.log'
        with open(log, 'w') as written:
            self.process = subprocess.Popen(
                ['firefox-esr', '--headless', '--no-remote', '--profile',
                 str(scratch / 'firefox-profile'), '--remote-debugging-port', '0', 'about:blank'],
                stdout=written, stderr=subprocess.STDOUT)
        self.loop = asyncio.new_event_loop()
        threading.Thread(target=self.loop.run_forever, daemon=True).start()
        self.ids, self.pending, self.logged = itertools.count(1), {}, []
        self.socket = self.run(self.connect(log))
        self.call('session.new', capabilities={})
        self.context = self.call('browsingContext.getTree')['contexts'][0]['context']
        self.call('session.subscribe', events=['log.entryAdded'])
        self.call('browsingContext.setViewport', context=self.context,
                  viewport={'width': width, 'height': height}, devicePixelRatio=scale)

    async def connect(self, log):
        """Connects to the address Firefox says in its LOG that it listens on."""
        deadline = self.loop.time() + LIMIT
        while not (found := re.search(r'WebDriver BiDi listening on (ws://\S+)', log.read_text())):
            if self.process.poll() is not None or self.loop.time() > deadline:
                raise RuntimeError(f'Firefox gave no WebDriver BiDi address (see {log})')
            await asyncio.sleep(0.05)
        socket = await websockets.connect(found.group(1) + '/session', max_size=None)
        self.loop.create_task(self.read(socket))
        return socket

    async def read(self, socket):
        async for text in socket:
            message = json.loads(text)
            if message.get('id') in self.pending:
                self.pending.pop(message['id']).set_result(message)
            elif message.get('method') == 'log.entryAdded':
                self.logged.append(message['params'])

    async def send(self, method, params):
        ident = next(self.ids)
        self.pending[ident] = self.loop.create_future()
        await self.socket.send(json.dumps({'id': ident, 'method': method, 'params': params}))
        return await self.pending[ident]

    def run(self, coroutine):
        return asyncio.run_coroutine_threadsafe(coroutine, self.loop).result(LIMIT)

    def call(self, method, **params):
        message = self.run(self.send(method, params))
        if message.get('type') == 'error':
            raise RuntimeError(f"{method}: {message['error']}: {message.get('message')}")
        return message['result']

    def open(self, url):
        self.call('browsingContext.navigate', context=self.context, url=url, wait='complete')

    def script(self, code, *arguments):
        result = self.call('script.callFunction', functionDeclaration=f'function() {{{code}}}',
                           arguments=[local_value(a) for a in arguments], awaitPromise=True,
                           target={'context': self.context}, resultOwnership='none')
        if result['type'] == 'exception':
            raise RuntimeError(f"script failed: {result['exceptionDetails']['text']}")
        return python_value(result['result'])

    def actions(self, sources):
        self.call('input.performActions', context=self.context, actions=sources)

    def screenshot(self):
        return base64.b64decode(self.call('browsingContext.captureScreenshot',
                                          context=self.context)['data'])

    def errors(self):
        return [entry['text'] for entry in self.logged if entry['level'] == 'error']

    def pid(self):
        return self.process.pid

    def quit(self):
        try:
            self.call('browser.close')
            self.process.wait(LIMIT)
        finally:
            self.process.kill()


def local_value(value):
    """A Python value as BiDi's LocalValue."""
    if value is None:
        return {'type': 'null'}
    if isinstance(value, bool):
        return {'type': 'boolean', 'value': value}
    if isinstance(value, (int, float)):
        return {'type': 'number', 'value': value}
    if isinstance(value, str):
        return {'type': 'string', 'value': value}
    if isinstance(value, dict):
        return {'type': 'object', 'value': [[k, local_value(v)] for k, v in value.items()]}
    return {'type': 'array', 'value': [local_value(v) for v in value]}


def python_value(remote):
    """BiDi's RemoteValue as a Python value, as Selenium gives a script's result."""
    kind, value = remote['type'], remote.get('value')
    if kind in ('array', 'set'):
        return [python_value(v) for v in value]
    if kind == 'object':
        return {k if isinstance(k, str) else python_value(k): python_value(v) for k, v in value}
    if kind in ('undefined', 'null'):
        return None
    return value if kind in ('string', 'number', 'boolean') else remote


ENGINES = {'chromium': Chromium, 'firefox': Firefox, 'webkit': WebKit}
