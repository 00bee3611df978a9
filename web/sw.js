// Keeps the published files for playing offline, under a cache named after this build, and
// answers from it first. tools/web.sh writes the next line (web/stamp.mjs): every file of
// the site and a name made from their content, so that any changed file makes a new worker.
const kSite = { build: "unstamped", files: [] };
const kCache = `vantorel-${kSite.build}`;

self.addEventListener("install", (event) => {
  // Past any HTTP cache: a new build must not keep an old file under its new name.
  event.waitUntil(caches.open(kCache).then((cache) =>
    cache.addAll(kSite.files.map((file) => new Request(file, { cache: "no-cache" })))));
});

// A new build waits until the page is ready to start again on it (page.js), so that no game
// ever runs on files of two builds.
self.addEventListener("message", (event) => {
  if (event.data === "take over") self.skipWaiting();
});

self.addEventListener("activate", (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) {
      if (name.startsWith("vantorel-") && name !== kCache) await caches.delete(name);
    }
    await self.clients.claim();
  })());
});

self.addEventListener("fetch", (event) => {
  const url = new URL(event.request.url);
  if (event.request.method !== "GET" || url.origin !== self.location.origin) return;
  const scope = new URL(self.registration.scope);
  if (!url.pathname.startsWith(scope.pathname)) return;
  const file = url.pathname.slice(scope.pathname.length) || "index.html";
  event.respondWith((async () => {
    const cache = await caches.open(kCache);
    return (await cache.match(file)) ?? fetch(event.request);
  })());
});
