// The program's runtime settings (Emscripten's Module, which index.js reads as it starts): its
// command line from the recordings, its output on the message line, the page's own timing, and
// what the page says when the program ends. Loaded last of the page's files, before index.js.
'use strict';

var CLICK = _('Click the game to give it the keys.');
var failure = ''; // what the program wrote on stderr

var Module = {
  canvas: document.getElementById('canvas'),
  arguments: TarnelRecordings.programArguments,
  preRun: [TarnelRecordings.prepareFiles, TarnelCatalogue.prepareFiles],
  print: function(text) { console.log(text); },
  printErr: function(text) {
    console.warn(text);
    failure += (failure ? '\n' : '') + TarnelRecordings.inWords(text);
  },
  // Emscripten's status lines ("Running...") all say the program is getting ready: in the page's
  // words, and its language.
  setStatus: function(text) { if (text) TarnelMessages.say(_('Loading…')); },
  // The page times itself: the first flip after load, and every frame's flips and work.
  // Times are performance.now()'s: milliseconds since the page began loading.
  timing: { ready: null, flips: 0, firstFlip: null, lastFlip: null, workMs: 0, frames: 0, started: 0 },
  onRuntimeInitialized: function() { Module.timing.ready = performance.now(); },
  // The sounds are read from the page's files, not preloaded by the browser: said once, the
  // library's warning that they were not would reach the console.
  noAudioDecoding: true,
  onFlip: function() {
    var timing = Module.timing;
    timing.lastFlip = performance.now();
    if (timing.flips++ === 0) {
      TarnelSound.ready();
      timing.firstFlip = timing.lastFlip;
      TarnelMessages.say(document.hasFocus() ? '' : CLICK);
      if (TarnelRecordings.replay !== null) { // the program plays it: it was not refused
        TarnelWatching.start();
        TarnelRecordings.offerReplayed();
      }
      TarnelOffline.keepFiles();
    }
  },
  preMainLoop: function() { Module.timing.started = performance.now(); },
  postMainLoop: function() {
    Module.timing.workMs += performance.now() - Module.timing.started;
    Module.timing.frames++;
    TarnelSound.follow();
  },
  onExit: function(status) {
    TarnelWatching.stop();
    if (status === 0) {
      TarnelMessages.say(TarnelRecordings.replay === null ? _('The game is over.')
                                                          : _('The replay has ended.'));
      TarnelRecordings.offerRecording();
    } else {
      TarnelMessages.say(failure || TarnelLanguage.fill(_('Tarnel stopped with status %d.'), status),
                         true);
    }
    TarnelMessages.offerAnother();
  },
  onAbort: function(reason) {
    TarnelWatching.stop();
    TarnelMessages.say(TarnelLanguage.fill(_('Tarnel stopped: %s'), failure || reason), true);
    TarnelMessages.offerAnother();
  },
};

if (typeof WebAssembly !== 'object') {
  TarnelMessages.say(_('This browser cannot run Tarnel: it has no WebAssembly.'), true);
} else {
  // Keys go to the page while it has the focus; a page inside another may need a click.
  window.addEventListener('load', function() { Module.canvas.focus({preventScroll: true}); });
  window.addEventListener('focus', function() {
    if (TarnelMessages.said() === CLICK) TarnelMessages.say('');
  });
}
