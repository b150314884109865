// Plays offline after the first visit: every file of the site is kept in a
// cache named after the build (scripts/web.sh writes the version below), and
// is served from there; a new build brings a new worker and a new cache.
const VERSION = '@VERSION@';
const CACHE = `drum-${VERSION}`;
const PAGE = ['./', 'index.html', 'drum.css', 'page.js', 'menu.js', 'dialogs.js', 'player.js',
  'storage.js', 'audio-worklet.js', 'manifest.webmanifest', 'icon.svg', 'drum.js', 'drum.wasm',
  'files.json'];

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    // Asked again of the server, which answers "not modified" for what the
    // page has just fetched into the browser's cache.
    const list = await (await fetch('files.json', { cache: 'no-cache' })).json();
    await cache.addAll([...PAGE, ...list].map((f) => new Request(f, { cache: 'no-cache' })));
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) {
      if (name.startsWith('drum-') && name !== CACHE) await caches.delete(name);
    }
    await self.clients.claim();
  })());
});

self.addEventListener('fetch', (event) => {
  const url = new URL(event.request.url);
  if (event.request.method !== 'GET' || url.origin !== self.location.origin) return;
  event.respondWith((async () => {
    const cache = await caches.open(CACHE);
    const hit = await cache.match(event.request, { ignoreSearch: true });
    return hit || fetch(event.request);
  })());
});
