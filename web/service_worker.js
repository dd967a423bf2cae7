// Keeps the page's files for playing with the network off. The build writes in the list of files
// and a name for this set of them, made from their contents: a new build is a new worker with
// a cache of its own, which takes over as soon as it has every file and drops the old ones.
'use strict';

const kCache = 'zarb-@ZARB_PAGE_VERSION@';
const kFiles = ['./', @ZARB_PAGE_FILES@];

self.addEventListener('install', (event) => {
  // Straight from the server, never from a stale copy on the way.
  event.waitUntil(caches.open(kCache)
    .then((cache) => cache.addAll(kFiles.map((file) => new Request(file, { cache: 'reload' }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith('zarb-') && name !== kCache)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(kCache)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((kept) => kept ?? fetch(event.request)));
});
