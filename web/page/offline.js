// Play with no network: the service worker that keeps the page's files (service-worker.js),
// registered once the game has drawn its first frame, so that it takes nothing from that frame.
// Its scope is the folder the page is served from, wherever that is.
'use strict';

var TarnelOffline = {
  keepFiles: function() {
    if (!('serviceWorker' in navigator)) return; // not a secure address, or a private window
    navigator.serviceWorker.register('service-worker.js').catch(function(error) {
      console.warn('The page cannot keep its files for play with no network: ' + error.message);
    });
  },
};
