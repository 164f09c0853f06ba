// The page's offline copy: keeps this version's files in a cache named after
// their contents and answers from it, so a second visit plays without a
// connection. A new build changes this file (its version); the page checks
// for it on every visit, the browser installs it beside the old one, and it
// takes over only when the page running the old build has all its files (or
// is gone), so one page never mixes the two builds' files. The old cache goes
// once it has taken over.
'use strict';
const Version = '/*VERSION*/';
const Files = /*FILES*/[];
const CacheName = 'skyrend-' + Version;
const Page = 'skyrend.html';

self.addEventListener('install', Event => {
  // Checked against the server, not an older copy in the browser's cache.
  Event.waitUntil(caches.open(CacheName)
    .then(Cache => Cache.addAll(Files.map(Name => new Request(Name, { cache: 'no-cache' })))));
});

// The page says its files are all loaded: a waiting new version may take over.
self.addEventListener('message', Event => {
  if (Event.data === 'loaded') self.skipWaiting();
});

self.addEventListener('activate', Event => {
  Event.waitUntil(caches.keys()
    .then(Names => Promise.all(Names.filter(Name => Name.startsWith('skyrend-') && Name !== CacheName)
                                    .map(Name => caches.delete(Name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', Event => {
  const Request = Event.request;
  if (Request.method !== 'GET') return;
  const Url = new URL(Request.url);
  const Scope = new URL(self.registration.scope);
  if (Url.origin !== Scope.origin || !Url.pathname.startsWith(Scope.pathname)) return;
  const Name = Url.pathname.slice(Scope.pathname.length);
  const Kept = !Url.search && Files.includes(Name);
  // The folder itself is the page, whatever its query (a link's tracking words).
  const Navigation = Request.mode === 'navigate' && (Name === '' || Name === Page);
  if (!Kept && !Navigation) return;  // anything else goes to the network as usual
  Event.respondWith(caches.open(CacheName).then(Cache =>
    Cache.match(Kept ? Name : Page).then(Hit => Hit || fetch(Request))));
});
