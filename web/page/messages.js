// The line under the canvas: what the page and the program say in words, a failure in red, and
// the offer of another game once this one has ended.
'use strict';

var TarnelMessages = (function() {
  var line = document.getElementById('message');
  var againLine = document.getElementById('again');

  return {
    say: function(text, failed) {
      line.textContent = text;
      line.className = failed ? 'failed' : '';
    },
    said: function() { return line.textContent; },
    // "Play again", with "Save this game" beside it when a recording is offered.
    offerAnother: function() { againLine.hidden = false; },
  };
})();
