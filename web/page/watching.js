// A replay's controls, under the canvas while a recording plays: play and pause, slower and
// faster, five seconds back and forward, the timeline and the time. They steer the program
// through its exports and read where it is once a browser frame.
'use strict';

var TarnelWatching = (function() {
  // The program's watcher commands and state fields, by number (src/input/watch_command.h)
  var PAUSE = 1;
  var FASTER = 4;
  var SLOWER = 5;
  var SEEK = 9;
  var FORWARD_5S = 10;
  var BACK_5S = 11;
  var POSITION = 0;
  var LENGTH = 1;
  var FRAME_RATE = 2;
  var SPEED = 3;
  var PAUSED = 4;
  var SPEEDS = [ // by the program's speed index
    '¼×',
    '½×',
    '1×',
    '2×',
    '4×',
    '8×',
  ];
  var ENDED = _('The replay has ended.');

  var pauseButton = document.getElementById('watch-pause');
  var timeline = document.getElementById('position');
  var time = document.getElementById('time');
  var running = false;
  var atEnd = false;
  var wanted = null; // the frame the timeline asks for, not yet sent
  var sentAt = -1;   // the page's frame count when the last seek was sent
  var held = false;  // a mouse or finger holds the timeline

  if (TarnelRecordings.replay !== null) document.body.classList.add('replaying');

  function command(kind, value) { Module._tarnel_watch(kind, value || 0); }
  function state(field) { return Module._tarnel_watch_state(field); }

  // m:ss of a count of frames, whole seconds.
  function clock(frames, rate) {
    var seconds = Math.floor(frames / rate);
    return Math.floor(seconds / 60) + ':' + String(seconds % 60).padStart(2, '0');
  }
  // Written only when changed, as this runs every browser frame.
  function setText(element, text) {
    if (element.textContent !== text) element.textContent = text;
  }

  // Where the replay is; while the timeline is held, or its seek not yet played, where the
  // timeline asks to be, so that the thumb does not jump back under the finger.
  function show() {
    var length = state(LENGTH);
    var rate = state(FRAME_RATE);
    var settled = wanted === null && Module.timing.frames > sentAt && !held;
    if (String(length) !== timeline.max) timeline.max = length;
    if (settled) timeline.value = state(POSITION);
    var where = clock(Number(timeline.value), rate);
    var whole = clock(length, rate);
    // TRANSLATORS: where a replay is, read aloud: 1:05 of 3:20.
    var said = TarnelLanguage.fill(_('%s of %s'), where, whole);
    if (timeline.getAttribute('aria-valuetext') !== said) timeline.setAttribute('aria-valuetext', said);
    setText(time, where + ' / ' + whole + ' · ' + SPEEDS[state(SPEED)]);
    // The replay holds at its last frame, and can still be sought back or played again.
    var ended = state(POSITION) === length;
    setText(pauseButton, state(PAUSED) || ended ? _('Play') : _('Pause'));
    if (ended !== atEnd) {
      atEnd = ended;
      if (ended) {
        TarnelMessages.say(ENDED);
        TarnelMessages.offerAnother();
      } else if (TarnelMessages.said() === ENDED) {
        TarnelMessages.say('');
      }
    }
  }

  // One seek a frame at most, the latest the timeline asked for: a drag asks many times a frame.
  function tick() {
    if (!running) return;
    if (wanted !== null && Module.timing.frames > sentAt) {
      command(SEEK, wanted);
      sentAt = Module.timing.frames;
      wanted = null;
    }
    show();
    requestAnimationFrame(tick);
  }

  pauseButton.addEventListener('click', function() { command(PAUSE); });
  document.getElementById('back').addEventListener('click', function() { command(BACK_5S); });
  document.getElementById('forward').addEventListener('click', function() { command(FORWARD_5S); });
  document.getElementById('slower').addEventListener('click', function() { command(SLOWER); });
  document.getElementById('faster').addEventListener('click', function() { command(FASTER); });
  timeline.addEventListener('input', function() {
    wanted = Number(timeline.value);
    if (running) show();
  });
  timeline.addEventListener('pointerdown', function() { held = true; });
  ['pointerup', 'pointercancel'].forEach(function(type) {
    window.addEventListener(type, function() { held = false; });
  });

  return {
    // Once the program plays the recording: the controls follow it.
    start: function() {
      running = true;
      requestAnimationFrame(tick);
    },
    // Once it has stopped: they go.
    stop: function() {
      running = false;
      document.body.classList.remove('replaying');
    },
  };
})();
