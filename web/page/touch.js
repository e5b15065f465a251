// The touch controls, shown on a touch screen only (the shell's style): a D-pad and a pause
// button that press and release the very keys the keyboard does, so that the game cannot tell
// them apart. The page neither scrolls nor zooms under a finger on them (touch-action, and
// every touch event's default prevented; SDL prevents the canvas's).
'use strict';

(function() {
  var canvas = document.getElementById('canvas');
  var KEY_CODES = {ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, ArrowLeft: 37, Enter: 13};
  function sendKey(type, key) {
    canvas.dispatchEvent(new KeyboardEvent(type, {key: key, code: key,
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
        canvas.focus({preventScroll: true});
      });
    });
})();
