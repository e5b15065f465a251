// The page's layout: the canvas at the largest whole scale its stage allows, the full screen,
// and the keys that belong to the page rather than the game: Escape leaving the full screen,
// the keys of the page's own controls.
'use strict';

(function() {
  var canvas = document.getElementById('canvas');

  // The canvas at the largest whole multiple of 640 x 480 that fits its stage: the window below
  // the title and the keys and above the message, or the whole screen. Where not even one
  // fits (a phone), as large as fits at 4:3. Sizes in CSS pixels.
  var GAME_WIDTH = 640;
  var GAME_HEIGHT = 480;
  var stage = document.getElementById('stage');
  function fitCanvas() {
    var width = stage.clientWidth;
    var height = stage.clientHeight;
    var scale = Math.floor(Math.min(width / GAME_WIDTH, height / GAME_HEIGHT));
    var shown = scale >= 1 ? GAME_WIDTH * scale
                           : Math.floor(Math.min(width, height * GAME_WIDTH / GAME_HEIGHT));
    stage.style.setProperty('--canvas-width', shown + 'px');
    stage.style.setProperty('--canvas-height', shown * GAME_HEIGHT / GAME_WIDTH + 'px');
  }
  new ResizeObserver(fitCanvas).observe(stage);

  // The full screen holds the stage alone, black around the canvas.
  var fullScreenButton = document.getElementById('full-screen');
  fullScreenButton.hidden = !document.fullscreenEnabled;
  fullScreenButton.addEventListener('click', function() {
    stage.requestFullscreen().catch(function() {}); // refused: the page stays as it is
    canvas.focus({preventScroll: true});
  });

  // Escape leaves the full screen first, and the game must not see that press, which it would
  // read as the end. Chromium keeps that Escape to itself; a browser that passes it on has it
  // stopped here, its repeats and its release too, before SDL's listener on the document.
  var escapeLeavesFullScreen = false;
  function stopEscapeInFullScreen(event) {
    if (event.key !== 'Escape') return;
    if (event.type === 'keydown' && document.fullscreenElement) {
      escapeLeavesFullScreen = true;
      document.exitFullscreen();
    }
    if (!escapeLeavesFullScreen) return;
    if (event.type === 'keyup') escapeLeavesFullScreen = false;
    event.preventDefault();
    event.stopImmediatePropagation();
  }
  window.addEventListener('keydown', stopEscapeInFullScreen, true);
  window.addEventListener('keyup', stopEscapeInFullScreen, true);

  // Keys on a focused control act on the control alone, not on the game as well: Return and
  // Space on a button, the keys that move the replay's timeline, every key in the link's field.
  var TIMELINE_KEYS = ['ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'Home', 'End', 'PageUp',
                       'PageDown'];
  function keepKeysOfControls(event) {
    var target = event.target;
    if (!target.closest) return;
    var kept = target.matches('input[type=range]') ? TIMELINE_KEYS.indexOf(event.key) >= 0
             : target.matches('input:not([type])') ||
               (event.key === 'Enter' || event.key === ' ') && target.closest('button, a, input');
    if (kept) event.stopPropagation();
  }
  ['keydown', 'keypress', 'keyup'].forEach(function(type) {
    window.addEventListener(type, keepKeysOfControls, true);
  });
})();
