// The shell's texts and its controls' accessible names, in the page's language: web/shell.html
// leaves them empty, so that each is written once, here, where xgettext finds it.
'use strict';

(function() {
  var TEXTS = [ // an element, by selector, and its text
    ['.keyboard-keys', _('Arrow keys walk · Return pauses and resumes · M mutes · Escape ends the game')],
    ['.touch-keys', _('The arrows walk · the bars pause and resume')],
    ['.watching-keys', _('Space pauses · Left and Right seek · Up and Down change the speed')],
    ['#full-screen', _('Full screen')],
    ['#watch', _('Watch a recording')],
    ['#watch-pause', _('Pause')],
    // TRANSLATORS: a replay's button that goes back five seconds; as short as it can be.
    ['#back', _('−5 s')],
    // TRANSLATORS: a replay's button that goes forward five seconds; as short as it can be.
    ['#forward', _('+5 s')],
    ['#slower', _('Slower')],
    ['#faster', _('Faster')],
    ['#message', _('Loading…')],
    ['#play-again', _('Play again')],
    ['#save', _('Save this game')],
    ['#copy-link', _('Copy link')],
  ];
  var NAMES = [ // a control, by selector, and its accessible name where its text gives none
    // TRANSLATORS: the picture the game is played in, named for screen readers.
    ['#canvas', _('The game')],
    // TRANSLATORS: the touch screen's arrows and pause button, named for screen readers.
    ['#up', _('Up')],
    ['#left', _('Left')],
    ['#right', _('Right')],
    ['#down', _('Down')],
    ['#pause', _('Pause')],
    // TRANSLATORS: the group of a replay's controls: a noun.
    ['#watching', _('Replay')],
    ['#back', _('Back 5 seconds')],
    ['#forward', _('Forward 5 seconds')],
    // TRANSLATORS: a replay's timeline, and the clock beside it: where it is, of how long.
    ['#position', _('Position')],
    ['#time', _('Time')],
    ['#link', _('Link to this game')],
  ];
  TEXTS.forEach(function(entry) { document.querySelector(entry[0]).textContent = entry[1]; });
  NAMES.forEach(function(entry) {
    document.querySelector(entry[0]).setAttribute('aria-label', entry[1]);
  });
})();
