<!doctype html>
<!-- The page around the game: the canvas, the keys, and the program's messages in words. -->
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Tarnel v.3.2</title>
<link rel="icon" href="data:,">
<style>
  /* The page fills the window: the title and the keys, the stage that shows the canvas, the
     message; the stage takes what the others leave. */
  html, body { height: 100%; }
  body { margin: 0; background: #111; color: #ddd; font: 16px sans-serif; text-align: center;
         display: flex; flex-direction: column; height: 100dvh; }
  h1 { font-size: 24px; margin: 6px 0 2px; }
  p { margin: 4px 0; }
  button { font: inherit; font-size: 14px; padding: 2px 8px; margin: 0 4px; }
  a { color: #8cf; }
  #play { flex: 1 1 0; min-height: 0; display: grid;
          grid-template: "stage" minmax(0, 1fr) / minmax(0, 1fr); }
  #stage { grid-area: stage; display: flex; align-items: center; justify-content: center;
           min-width: 0; min-height: 0; overflow: hidden; }
  #stage:fullscreen { background: #000; }
  /* Game pixels drawn as squares at every size, never smoothed; the size is fitCanvas's */
  canvas { display: block; width: var(--canvas-width, 640px); height: var(--canvas-height, 480px);
           background: #000; image-rendering: crisp-edges; image-rendering: pixelated;
           outline: none; touch-action: none; }
  /* Touch controls, on a touch screen only: below the canvas upright, beside it on its side,
     each target 56 CSS pixels square, drawn as shapes that stay sharp at any zoom */
  .touch, .touch-keys { display: none; }
  @media (pointer: coarse) {
    .touch { display: grid; }
    .touch-keys { display: inline; }
    .keyboard-keys { display: none; }
    #play { grid-template: "stage stage" minmax(0, 1fr) "dpad pause" auto / 1fr 1fr; }
  }
  @media (pointer: coarse) and (orientation: landscape) {
    #play { grid-template: "dpad stage pause" minmax(0, 1fr) / auto minmax(0, 1fr) auto; }
  }
  #dpad { grid-area: dpad; grid-template: repeat(3, 56px) / repeat(3, 56px); place-self: center;
          margin: 8px; touch-action: none; }
  #up { grid-area: 1 / 2; }
  #left { grid-area: 2 / 1; }
  #right { grid-area: 2 / 3; }
  #down { grid-area: 3 / 2; }
  #pause { grid-area: pause; place-self: center; place-items: center; margin: 8px; }
  #dpad button, #pause { width: 56px; height: 56px; padding: 0; border: 2px solid #777;
                         border-radius: 10px; background: #2a2a2a; color: #ddd; touch-action: none;
                         user-select: none; -webkit-user-select: none; -webkit-touch-callout: none;
                         -webkit-tap-highlight-color: transparent; }
  #dpad button { margin: 0; }
  #dpad .held, #pause.held { background: #555; }
  .touch svg { display: block; width: 28px; height: 28px; margin: auto; fill: currentColor;
               pointer-events: none; } /* touches land on the button itself */
  #right svg { transform: rotate(90deg); }
  #down svg { transform: rotate(180deg); }
  #left svg { transform: rotate(270deg); }
  #message { white-space: pre-line; }
  #message-line { min-height: 1.5em; color: #fc6; }
  #message.failed { color: #f77; }
</style>
</head>
<body>
<h1>Tarnel v.3.2</h1>
<p id="keys"><span class="keyboard-keys">Arrow keys walk · Return pauses and resumes · Escape ends the game</span>
  <span class="touch-keys">The arrows walk · the bars pause and resume</span>
  <button id="full-screen" hidden>Full screen</button>
  <button id="watch">Watch a recording</button><input id="watch-file" type="file" hidden></p>
<div id="play">
  <div id="stage">
    <canvas id="canvas" width="640" height="480" tabindex="0"
            oncontextmenu="event.preventDefault()"></canvas>
  </div>
  <div id="dpad" class="touch">
    <button id="up" aria-label="Up" data-key="ArrowUp"><svg viewBox="0 0 16 16" aria-hidden="true"><path d="M8 3 14 12H2z"/></svg></button>
    <button id="left" aria-label="Left" data-key="ArrowLeft"><svg viewBox="0 0 16 16" aria-hidden="true"><path d="M8 3 14 12H2z"/></svg></button>
    <button id="right" aria-label="Right" data-key="ArrowRight"><svg viewBox="0 0 16 16" aria-hidden="true"><path d="M8 3 14 12H2z"/></svg></button>
    <button id="down" aria-label="Down" data-key="ArrowDown"><svg viewBox="0 0 16 16" aria-hidden="true"><path d="M8 3 14 12H2z"/></svg></button>
  </div>
  <button id="pause" class="touch" aria-label="Pause" data-key="Enter"><svg viewBox="0 0 16 16" aria-hidden="true"><path d="M4 3h3v10H4zm5 0h3v10H9z"/></svg></button>
</div>
<p id="message-line"><span id="message">Loading…</span>
  <span id="again" hidden><button id="play-again">Play again</button>
    <a id="save" hidden>Save this game</a></span></p>
<script>
  'use strict';
  var messageLine = document.getElementById('message');
  var againLine = document.getElementById('again');
  var failure = ''; // what the program wrote on stderr
  var CLICK = 'Click the game to give it the keys.';

  function say(text, failed) {
    messageLine.textContent = text;
    messageLine.className = failed ? 'failed' : '';
  }

  // ?seed=N reaches the program as --seed N, so a wrong one gets the program's own complaint;
  // ?replay=URL replays the recording at URL, which the page fetches before the program starts.
  var query = new URLSearchParams(location.search);
  var seed = query.get('seed');
  var replayAddress = query.get('replay');
  var WATCHED_NAME = 'tarnel-watched-name'; // sessionStorage's keys for a recording to watch
  var WATCHED_BYTES = 'tarnel-watched-bytes';
  var watched = takeWatched();

  // The program records every game into the page's files, under a name that gives the seed
  // (which the page picks when the address gives none), or replays one from there.
  var RECORDINGS = '/recordings';
  var replayName = watched ? watched.name : replayAddress !== null ? nameFrom(replayAddress) : null;
  var recordingName = null;
  if (seed === null && replayName === null) {
    seed = String(crypto.getRandomValues(new Uint32Array(1))[0]);
  }
  var programArguments = seed === null ? [] : ['--seed', seed];
  if (replayName !== null) {
    programArguments.push('--replay', RECORDINGS + '/' + replayName);
  } else {
    recordingName = 'tarnel-seed-' + (/^\d{1,10}$/.test(seed) ? seed : 'refused') + '.tarnel';
    programArguments.push('--record', RECORDINGS + '/' + recordingName);
  }

  var Module = {
    canvas: document.getElementById('canvas'),
    arguments: programArguments,
    preRun: [prepareFiles],
    print: function(text) { console.log(text); },
    printErr: function(text) {
      console.warn(text);
      failure += (failure ? '\n' : '') + text;
    },
    setStatus: function(text) { if (text) say(text); },
    // The page times itself: the first flip after load, and every frame's flips and work.
    // Times are performance.now()'s: milliseconds since the page began loading.
    timing: { ready: null, flips: 0, firstFlip: null, lastFlip: null, workMs: 0, frames: 0, started: 0 },
    onRuntimeInitialized: function() { Module.timing.ready = performance.now(); },
    onFlip: function() {
      var timing = Module.timing;
      timing.lastFlip = performance.now();
      if (timing.flips++ === 0) {
        timing.firstFlip = timing.lastFlip;
        say(document.hasFocus() ? '' : CLICK);
      }
    },
    preMainLoop: function() { Module.timing.started = performance.now(); },
    postMainLoop: function() {
      Module.timing.workMs += performance.now() - Module.timing.started;
      Module.timing.frames++;
    },
    onExit: function(status) {
      if (status === 0) {
        say(replayName === null ? 'The game is over.' : 'The replay has ended.');
        offerRecording();
      } else {
        say(failure || 'Tarnel stopped with status ' + status + '.', true);
      }
      againLine.hidden = false;
    },
    onAbort: function(reason) {
      say('Tarnel stopped: ' + (failure || reason), true);
      againLine.hidden = false;
    },
  };

  if (typeof WebAssembly !== 'object') {
    say('This browser cannot run Tarnel: it has no WebAssembly.', true);
  } else {
    // Keys go to the page while it has the focus; a page inside another may need a click.
    window.addEventListener('load', function() { Module.canvas.focus({preventScroll: true}); });
    window.addEventListener('focus', function() {
      if (messageLine.textContent === CLICK) say('');
    });
  }

  // The recordings: the one to replay written into the page's files before main runs, the one
  // recorded offered for download once the game is over. FS is the runtime's file system, which
  // index.js declares at its top level.
  function prepareFiles() {
    FS.mkdir(RECORDINGS);
    if (watched) {
      FS.writeFile(RECORDINGS + '/' + watched.name, watched.bytes);
    } else if (replayAddress !== null) {
      Module.addRunDependency('replay');
      fetch(replayAddress).then(function(response) {
        if (!response.ok) throw new Error(response.status + ' ' + response.statusText);
        return response.arrayBuffer();
      }).then(function(buffer) {
        FS.writeFile(RECORDINGS + '/' + replayName, new Uint8Array(buffer));
        Module.removeRunDependency('replay');
      }).catch(function(error) {
        Module.setStatus = function() {}; // the loading's progress must not hide why it stopped
        say('Tarnel cannot fetch the recording ' + replayAddress + ': ' + error.message, true);
        againLine.hidden = false;
      });
    }
  }
  function offerRecording() {
    if (recordingName === null) return;
    var bytes;
    try {
      bytes = FS.readFile(RECORDINGS + '/' + recordingName);
    } catch (error) {
      return; // not written: the program has said why
    }
    var link = document.getElementById('save');
    link.href = URL.createObjectURL(new Blob([bytes], {type: 'application/octet-stream'}));
    link.download = recordingName;
    link.hidden = false;
  }

  // A file name for the page's files, from a name or an address's last part: no folders.
  function safeName(name) {
    name = String(name).split('/').pop().replace(/\0/g, '');
    return name === '' || name === '.' || name === '..' ? 'recording.tarnel' : name;
  }
  function nameFrom(address) {
    try {
      return safeName(decodeURIComponent(new URL(address, location.href).pathname));
    } catch (error) {
      return safeName('');
    }
  }

  // Watching a recording picked or dropped on the page: the program runs once a page load, so
  // the page loads afresh (without ?seed= or ?replay=) with the recording kept in
  // sessionStorage meanwhile, a byte a character, and takes it from there once.
  function takeWatched() {
    try {
      var name = sessionStorage.getItem(WATCHED_NAME);
      var text = sessionStorage.getItem(WATCHED_BYTES);
      sessionStorage.removeItem(WATCHED_NAME);
      sessionStorage.removeItem(WATCHED_BYTES);
      if (name === null || text === null) return null;
      var bytes = new Uint8Array(text.length);
      for (var i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i);
      return {name: name, bytes: bytes};
    } catch (error) {
      return null; // no storage here: nothing was kept
    }
  }
  function watch(file) {
    if (!file) return;
    file.arrayBuffer().then(function(buffer) {
      var bytes = new Uint8Array(buffer);
      var CHUNK = 8192; // bytes a call of fromCharCode takes, well below any argument limit
      var text = '';
      for (var i = 0; i < bytes.length; i += CHUNK) {
        text += String.fromCharCode.apply(null, bytes.subarray(i, i + CHUNK));
      }
      try {
        sessionStorage.setItem(WATCHED_NAME, safeName(file.name));
        sessionStorage.setItem(WATCHED_BYTES, text);
      } catch (error) {
        takeWatched();
        say('The page cannot keep ' + file.name + ' to replay it: ' + error.message, true);
        return;
      }
      location.assign(location.pathname);
    });
  }
  var watchFile = document.getElementById('watch-file');
  document.getElementById('watch').addEventListener('click', function() { watchFile.click(); });
  watchFile.addEventListener('change', function() { watch(watchFile.files[0]); });
  document.addEventListener('dragover', function(event) { event.preventDefault(); });
  document.addEventListener('drop', function(event) {
    event.preventDefault();
    watch(event.dataTransfer.files[0]);
  });

  // Another game: the same address again, or after a replay, a game of its own.
  var againButton = document.getElementById('play-again');
  if (replayName !== null) againButton.textContent = 'Play a game';
  againButton.addEventListener('click', function() {
    if (replayName === null) location.reload();
    else location.assign(location.pathname);
  });

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
    Module.canvas.focus({preventScroll: true});
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

  // Return and Space on a focused button act on the button alone, not on the game as well.
  function keepKeysOfControls(event) {
    if ((event.key === 'Enter' || event.key === ' ') && event.target.closest &&
        event.target.closest('button, a, input')) {
      event.stopPropagation();
    }
  }
  ['keydown', 'keypress', 'keyup'].forEach(function(type) {
    window.addEventListener(type, keepKeysOfControls, true);
  });

  // Touch controls press and release the very keys the keyboard does, so that the game cannot
  // tell them apart. The page neither scrolls nor zooms under a finger on them (touch-action,
  // and every touch event's default prevented; SDL prevents the canvas's).
  var KEY_CODES = {ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, ArrowLeft: 37, Enter: 13};
  function sendKey(type, key) {
    Module.canvas.dispatchEvent(new KeyboardEvent(type, {key: key, code: key,
      keyCode: KEY_CODES[key], which: KEY_CODES[key], bubbles: true, cancelable: true}));
  }

  // One finger on the D-pad holds the arrow under it, changes arrow as it slides, and lets go
  // when it is lifted or slides off the pad.
  var dpad = document.getElementById('dpad');
  var dpadFinger = null; // the identifier of the touch that holds the D-pad
  var heldArrow = null;  // the button whose key is down
  // The arrow under a point: whichever side of the pad's middle square it lies most towards.
  function arrowAt(x, y) {
    var box = dpad.getBoundingClientRect();
    if (x < box.left || x >= box.right || y < box.top || y >= box.bottom) return null;
    var dx = x - (box.left + box.width / 2);
    var dy = y - (box.top + box.height / 2);
    var middle = box.width / 6; // half the middle square
    if (Math.abs(dx) < middle && Math.abs(dy) < middle) return null;
    var id = Math.abs(dx) > Math.abs(dy) ? (dx > 0 ? 'right' : 'left') : (dy > 0 ? 'down' : 'up');
    return document.getElementById(id);
  }
  function holdArrow(button) {
    if (button === heldArrow) return;
    if (heldArrow) {
      sendKey('keyup', heldArrow.dataset.key);
      heldArrow.classList.remove('held');
    }
    heldArrow = button;
    if (button) {
      sendKey('keydown', button.dataset.key);
      button.classList.add('held');
    }
  }
  function dpadTouch(event) {
    for (var i = 0; i < event.changedTouches.length; i++) {
      if (event.changedTouches[i].identifier === dpadFinger) return event.changedTouches[i];
    }
    return null;
  }
  dpad.addEventListener('touchstart', function(event) {
    event.preventDefault();
    if (dpadFinger !== null) return;
    var touch = event.changedTouches[0];
    dpadFinger = touch.identifier;
    holdArrow(arrowAt(touch.clientX, touch.clientY));
  });
  dpad.addEventListener('touchmove', function(event) {
    event.preventDefault();
    var touch = dpadTouch(event);
    if (touch) holdArrow(arrowAt(touch.clientX, touch.clientY));
  });
  function liftFromDpad(event) {
    event.preventDefault();
    if (!dpadTouch(event)) return;
    dpadFinger = null;
    holdArrow(null);
  }
  dpad.addEventListener('touchend', liftFromDpad);
  dpad.addEventListener('touchcancel', liftFromDpad);

  // Pause: Return down as the first finger touches it, up as the last one leaves.
  var pauseButton = document.getElementById('pause');
  pauseButton.addEventListener('touchstart', function(event) {
    event.preventDefault();
    if (event.targetTouches.length !== event.changedTouches.length) return; // already down
    sendKey('keydown', 'Enter');
    pauseButton.classList.add('held');
  });
  function liftFromPause(event) {
    event.preventDefault();
    if (event.targetTouches.length > 0) return;
    sendKey('keyup', 'Enter');
    pauseButton.classList.remove('held');
  }
  pauseButton.addEventListener('touchend', liftFromPause);
  pauseButton.addEventListener('touchcancel', liftFromPause);

  // A press that is not a touch (a mouse, a screen reader) presses and releases the key once.
  Array.prototype.forEach.call(document.querySelectorAll('.touch [data-key], .touch[data-key]'),
    function(button) {
      button.addEventListener('click', function() {
        sendKey('keydown', button.dataset.key);
        sendKey('keyup', button.dataset.key);
        Module.canvas.focus({preventScroll: true});
      });
    });
</script>
{{{ SCRIPT }}}
</body>
</html>
