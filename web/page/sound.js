// The page's sound: opened by the program at the first key, tap or click, since a browser plays
// nothing before one and warns of audio made earlier; the Mute control, named "Mute" or
// "Unmute", its choice kept for the next visit, and M in the game shown on it.
'use strict';

var TarnelSound = (function() {
  var MUTED_KEY = 'tarnel-muted';
  var button = document.getElementById('mute');
  var muted = false;
  var started = false;
  var ready = false;

  function stored() {
    try { return localStorage.getItem(MUTED_KEY) === '1'; } catch (error) { return false; }
  }
  function store() {
    try { localStorage.setItem(MUTED_KEY, muted ? '1' : '0'); } catch (error) { /* private window */ }
  }
  function show() {
    button.textContent = muted ? _('Unmute') : _('Mute');
    button.setAttribute('aria-pressed', muted ? 'true' : 'false');
  }
  // The first input that the browser counts as a gesture, once the program runs.
  function start() {
    if (started || !ready) return;
    started = true;
    Module._tarnel_sound_start();
  }
  function firstInput() {
    if (!ready) return;
    start();
    ['keydown', 'pointerdown', 'touchend'].forEach(function(type) {
      window.removeEventListener(type, firstInput, true);
    });
  }

  muted = stored();
  show();
  ['keydown', 'pointerdown', 'touchend'].forEach(function(type) {
    window.addEventListener(type, firstInput, true);
  });
  button.addEventListener('click', function() {
    muted = !muted;
    show();
    store();
    if (ready) Module._tarnel_set_muted(muted ? 1 : 0);
    Module.canvas.focus({preventScroll: true}); // the keys go back to the game
  });

  return {
    // The program has started: it takes the page's choice.
    ready: function() {
      ready = true;
      Module._tarnel_set_muted(muted ? 1 : 0);
    },
    // After each frame: M in the game may have changed it.
    follow: function() {
      if (!ready) return;
      var now = Module._tarnel_muted() === 1;
      if (now !== muted) {
        muted = now;
        show();
        store();
      }
    },
  };
})();
