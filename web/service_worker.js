// Keeps the page for play with no network: every file of its build cached as the worker
// installs, under a name the build's content gives, the cache of an older build dropped once
// this one is in place. The network comes first while there is one, so that a new build is
// what the next load shows; the cache answers when there is none.
'use strict';

// Written by web/build.sh: a hash of the build's files, and their names, relative to this one.
var PAGE_CACHE = 'tarnel-page-{{{ BUILD }}}';
var PAGE_FILES = [
{{{ FILES }}}
];
var PAGE_CACHE_PREFIX = 'tarnel-page-';
// What the page fetched beyond the files every reader loads: the recordings of ?replay= links,
// kept across builds so that a link once watched plays with no network, and the words of the
// reader's language, which only that reader loads.
var FETCHED_CACHE = 'tarnel-fetched';

self.addEventListener('install', function(event) {
  // Past the browser's HTTP cache, which might still hold an older build's file.
  var requests = PAGE_FILES.map(function(file) { return new Request(file, {cache: 'reload'}); });
  event.waitUntil(caches.open(PAGE_CACHE).then(function(cache) {
    return cache.addAll(requests);
  }).then(function() {
    return self.skipWaiting(); // a page open now runs its build to its end; the next gets this one
  }));
});

self.addEventListener('activate', function(event) {
  event.waitUntil(caches.keys().then(function(names) {
    return Promise.all(names.filter(function(name) {
      return name.indexOf(PAGE_CACHE_PREFIX) === 0 && name !== PAGE_CACHE;
    }).map(function(name) { return caches.delete(name); }));
  }).then(function() {
    return self.clients.claim();
  }));
});

var pageFiles = PAGE_FILES.map(function(file) { return new URL(file, self.location).href; });

self.addEventListener('fetch', function(event) {
  var request = event.request;
  if (request.method !== 'GET') return;
  var ownFile = request.mode === 'navigate' || pageFiles.indexOf(request.url) >= 0;
  event.respondWith(fetch(request).then(function(response) {
    if (!ownFile && response.ok) {
      var copy = response.clone();
      event.waitUntil(caches.open(FETCHED_CACHE).then(function(cache) {
        return cache.put(request, copy);
      }));
    }
    return response;
  }, function(failure) {
    return (ownFile ? fromPageCache(request) : caches.open(FETCHED_CACHE).then(function(cache) {
      return cache.match(request);
    })).then(function(response) {
      if (!response) throw failure;
      return response;
    });
  }));
});

// The page's own file, whatever the address's query; the page itself for a navigation to its
// folder.
function fromPageCache(request) {
  return caches.open(PAGE_CACHE).then(function(cache) {
    return cache.match(request, {ignoreSearch: true}).then(function(response) {
      return response || (request.mode === 'navigate' ? cache.match('index.html') : undefined);
    });
  });
}
