// Lets the page start without a network once it has been visited: each file the page fetches is
// kept, and served from there only when the server cannot be reached. Online, every file comes
// from the server (and the browser's own cache), so a new release replaces the old one at the next
// visit, whole, rather than one visit later.
'use strict';

const cacheName = 'cratefall';
// What the game needs to start, fetched at the first visit before the page asks for anything
// through this worker: the browser fetched it before the worker was there.
const files = ['./', 'index.html', 'page.js', 'qtloader.js', 'cratefall.js', 'cratefall.wasm',
               'favicon.ico', 'manifest.json', 'icon-192.png', 'icon-512.png'];

self.addEventListener('install', event => {
    event.waitUntil(caches.open(cacheName).then(cache => cache.addAll(files))
        .then(() => self.skipWaiting()));
});

self.addEventListener('activate', event => event.waitUntil(self.clients.claim()));

async function fromServerOrKept(request) {
    const cache = await caches.open(cacheName);
    try {
        const response = await fetch(request);
        if (response.ok)
            await cache.put(request, response.clone());
        return response;
    } catch (offline) {
        const kept = await cache.match(request, { ignoreSearch: true });
        if (kept)
            return kept;
        throw offline;
    }
}

self.addEventListener('fetch', event => {
    const request = event.request;
    if (request.method === 'GET' && new URL(request.url).origin === self.location.origin)
        event.respondWith(fromServerOrKept(request));
});
