// A link that holds a whole game: this page's address with #replay= and the recording's bytes in
// base64url, made by "Copy link" and read back by the recordings. No server sees the game: the
// fragment never leaves the browser.
'use strict';

var TarnelLink = (function() {
  var PREFIX = '#replay=';
  // Characters of a link that mail and chat programs carry whole; a ten-minute game takes about
  // 1,500, so only a game far longer than any played is refused.
  var LONGEST_LINK = 32 * 1024;
  var CHUNK = 8192; // bytes a call of fromCharCode takes, well below any argument limit

  var share = document.getElementById('share');
  var copyButton = document.getElementById('copy-link');
  var linkField = document.getElementById('link');
  var said = document.getElementById('link-said');
  var offered = null; // {bytes, offerFile}: what Copy link puts in a link

  function encode(bytes) {
    var text = '';
    for (var i = 0; i < bytes.length; i += CHUNK) {
      text += String.fromCharCode.apply(null, bytes.subarray(i, i + CHUNK));
    }
    return btoa(text).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
  }

  // The bytes of a fragment's base64url, read up to its first character that is not one (or the
  // lone character that makes no byte): a link cut short or garbled on its way is then refused
  // by the program in its own words, as a damaged file is.
  function decode(text) {
    var sound = /^[A-Za-z0-9_-]*/.exec(text)[0];
    if (sound.length % 4 === 1) sound = sound.slice(0, -1);
    var binary = atob(sound.replace(/-/g, '+').replace(/_/g, '/'));
    var bytes = new Uint8Array(binary.length);
    for (var i = 0; i < binary.length; i++) bytes[i] = binary.charCodeAt(i);
    return bytes;
  }

  // This page's address holding bytes: without its query, whose ?seed= or ?replay= the program
  // would refuse beside a replay.
  function addressOf(bytes) {
    return location.origin + location.pathname + PREFIX + encode(bytes);
  }

  // Where the clipboard is refused (an insecure page, a browser's settings), the link is shown,
  // selected, for copying by hand.
  function showByHand(link) {
    linkField.value = link;
    linkField.hidden = false;
    linkField.focus();
    linkField.select();
    said.textContent = _('Copy this link to pass the game on.');
  }
  copyButton.addEventListener('click', function() {
    var link = addressOf(offered.bytes);
    if (link.length > LONGEST_LINK) {
      said.textContent = TarnelLanguage.fill(
        _('This game is too long for a link (%d KB); save it as a file instead.'),
        Math.ceil(link.length / 1024));
      offered.offerFile();
      return;
    }
    if (!navigator.clipboard) {
      showByHand(link);
      return;
    }
    navigator.clipboard.writeText(link).then(function() {
      linkField.hidden = true;
      said.textContent = _('The link is copied: whoever opens it watches this game.');
    }, function() { showByHand(link); });
  });

  // A new fragment is a new recording to replay, and the program runs once a page load.
  window.addEventListener('hashchange', function() {
    if (location.hash.startsWith(PREFIX)) location.reload();
  });

  return {
    // The bytes of the fragment's recording, or null when the address holds none.
    fromAddress: function() {
      return location.hash.startsWith(PREFIX) ? decode(location.hash.slice(PREFIX.length)) : null;
    },
    // Shows Copy link for a recording's bytes; offerFile() offers them as a file instead.
    offer: function(bytes, offerFile) {
      offered = {bytes: bytes, offerFile: offerFile};
      share.hidden = false;
    },
  };
})();
