// The page around the game: loads it into the screen, hands the winning certificate to the
// browser's own printing, and says when the game has ended, with a way to start again.
'use strict';

// The program the page runs, and what it is given to start with (the release's page runs the game
// as it is; the tests' copies of the page run their entry at a screen of their choosing).
const program = document.currentScript.dataset.program || 'cratefall';
const programArguments = (document.currentScript.dataset.arguments || '').split(' ').filter(Boolean);
// What the program writes to its standard output, kept for whoever reads the page.
window.cratefallOutput = [];

const gameScreen = document.getElementById('screen');
const loading = document.getElementById('loading');
const ended = document.getElementById('ended');

function showEnded(text) {
    // The game's windows are gone; the screen would be an empty canvas.
    gameScreen.hidden = true;
    loading.hidden = true;
    document.getElementById('controls').hidden = true;
    document.getElementById('ended-text').textContent = text;
    ended.hidden = false;
    document.getElementById('again').focus();
}

// Called by the game when it ends, with its exit status.
window.cratefallEnded = status => {
    showEnded(status === 0 ? 'Cratefall has ended.'
                           : 'Cratefall has ended after a run-time error.');
};

// Called by the game with the certificate as a PDF (a view of the game's memory, copied here at
// once) and its title. The browser's print dialog lets the player choose a printer or save it; a
// cancelled dialog is the player's choice and nothing more.
window.cratefallPrint = (pdfBytes, title) => {
    const frame = document.getElementById('certificate');
    if (frame.src)
        URL.revokeObjectURL(frame.src);
    frame.title = title;
    frame.onload = () => {
        try {
            frame.contentWindow.focus();
            frame.contentWindow.print();
        } catch (error) {
            // A browser that will not print a PDF in a frame opens it on its own, to print from there.
            window.open(frame.src, '_blank');
        }
    };
    frame.src = URL.createObjectURL(new Blob([pdfBytes.slice()], { type: 'application/pdf' }));
};

// The keys go to the game's active window, as on a desktop: the browser would otherwise keep them
// for the page until the player clicks the game, and give them to whatever window was clicked last,
// a level that a message box blocks among them. The text box's own input keeps them.
function focusActiveWindow() {
    const host = document.getElementById('qt-shadow-container');
    if (!host || document.activeElement instanceof HTMLInputElement)
        return;
    const active = [...host.shadowRoot.querySelectorAll('.qt-window')]
        .filter(w => w.style.display !== 'none' && !w.classList.contains('inactive'))
        .sort((a, b) => Number(a.style.zIndex) - Number(b.style.zIndex)).pop();
    const canvas = active && active.querySelector('canvas');
    if (canvas && host.shadowRoot.activeElement !== canvas)
        canvas.focus();
}

// The screen Qt makes in the page, as soon as it is there and before it is first drawn.
function whenScreenMade(then) {
    const made = () => document.getElementById('qt-shadow-container');
    if (made())
        return then(made());
    const watch = new MutationObserver(() => {
        if (made()) {
            watch.disconnect();
            then(made());
        }
    });
    watch.observe(gameScreen, { childList: true });
}

function followActiveWindow(host) {
    // Qt sets the windows' captions in a face only Macs have, which elsewhere leaves them in the
    // browser's serif: they take the screen's face instead.
    const captions = document.createElement('style');
    captions.textContent = '.title-bar .window-name { font-family: inherit; }';
    host.shadowRoot.appendChild(captions);
    new MutationObserver(focusActiveWindow).observe(host.shadowRoot, {
        subtree: true, childList: true, attributes: true, attributeFilter: ['class', 'style'],
    });
    // Seen before the game's own handlers, which may keep the event to themselves.
    window.addEventListener('pointerup', () => requestAnimationFrame(focusActiveWindow), true);
    // Tab moves between the game's controls, as on a desktop, and never takes the keys out of
    // the game into the page; the game still gets the key.
    window.addEventListener('keydown', event => {
        if (event.key === 'Tab' && ended.hidden)
            event.preventDefault();
    }, true);
    focusActiveWindow();
}

document.getElementById('again').addEventListener('click', () => window.location.reload());
// A tap on the game is the game's alone: the click a browser sends after it would land on whatever
// the tap uncovered, such as Play again under a tap on Close, which would start the game anew.
gameScreen.addEventListener('touchend', event => event.preventDefault(), { passive: false });
whenScreenMade(followActiveWindow);

function loadScript(source) {
    return new Promise((resolve, reject) => {
        const script = document.createElement('script');
        script.src = source;
        script.onload = resolve;
        script.onerror = () => reject(new Error(`${source} did not load`));
        document.body.appendChild(script);
    });
}

// After one visit the page starts without a network (service-worker.js). Browsers give service
// workers only to pages served over HTTPS or from this machine: elsewhere the page plays online.
function keepForOffline() {
    if (!('serviceWorker' in navigator))
        return;
    navigator.serviceWorker.register('service-worker.js').catch(
        error => console.warn(`Cratefall will not start offline here: ${error.message}`));
}

window.addEventListener('load', async () => {
    keepForOffline();
    try {
        await loadScript(`${program}.js`);
        const game = await qtLoad({
            arguments: programArguments,
            print: line => { window.cratefallOutput.push(line); console.log(line); },
            qt: {
                containerElements: [gameScreen],
                entryFunction: window[`${program}_entry`],
                onLoaded: () => {
                    loading.hidden = true;
                },
                onExit: exit => {
                    if (exit.crashed && ended.hidden)
                        showEnded(`Cratefall stopped: ${exit.text}`);
                },
            },
        });
        // A player without a keyboard pauses here: the game takes it as the P key.
        document.getElementById('pause').addEventListener('click', () => game.cratefallPause());
        if (ended.hidden)
            document.getElementById('controls').hidden = false;
    } catch (error) {
        showEnded(`Cratefall could not start here: ${error.message || error}`);
        console.error(error);
    }
});
