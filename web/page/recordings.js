// The recordings: what the program records or replays, from the page's address (?replay=URL or
// a #replay= link) or a file watched; the recording put into the page's files before the
// program starts; "Save this game" and "Copy link" once a game is over, and the link while a
// recording plays; "Watch a recording", picked or dropped; and "Play again".
'use strict';

var TarnelRecordings = (function() {
  // ?seed=N reaches the program as --seed N, so a wrong one gets the program's own complaint;
  // ?replay=URL replays the recording at URL, which the page fetches before the program starts.
  var query = new URLSearchParams(location.search);
  var seed = query.get('seed');
  var replayAddress = query.get('replay');
  var WATCHED_NAME = 'tarnel-watched-name'; // sessionStorage's keys for a recording to watch
  var WATCHED_BYTES = 'tarnel-watched-bytes';
  var watched = takeWatched();
  var linked = watched ? null : TarnelLink.fromAddress(); // a link's bytes, kept for Copy link

  // The program records every game into the page's files, under a name that gives the seed
  // (which the page picks when the address gives none), or replays one from there.
  var RECORDINGS = '/recordings';
  var LINKED_NAME = 'linked.tarnel';
  var replayName = watched ? watched.name : linked ? LINKED_NAME
                 : replayAddress !== null ? nameFrom(replayAddress) : null;
  var replayedBytes = watched ? watched.bytes : linked; // once known
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

  // The one to replay is written into the page's files before main runs (a preRun of the
  // runtime's). FS is the runtime's file system, which index.js declares at its top level.
  function prepareFiles() {
    FS.mkdir(RECORDINGS);
    if (replayedBytes) {
      FS.writeFile(RECORDINGS + '/' + replayName, replayedBytes);
    } else if (replayAddress !== null) {
      Module.addRunDependency('replay');
      fetch(replayAddress).then(function(response) {
        if (!response.ok) throw new Error(response.status + ' ' + response.statusText);
        return response.arrayBuffer();
      }).then(function(buffer) {
        replayedBytes = new Uint8Array(buffer);
        FS.writeFile(RECORDINGS + '/' + replayName, replayedBytes);
        Module.removeRunDependency('replay');
      }).catch(function(error) {
        Module.setStatus = function() {}; // the loading's progress must not hide why it stopped
        TarnelMessages.say(TarnelLanguage.fill(_('Tarnel cannot fetch the recording %s: %s'), replayAddress,
                                                error.message), true);
        TarnelMessages.offerAnother();
      });
    }
  }

  // The one recorded is offered for download and as a link once the game is over.
  function offerRecording() {
    if (recordingName === null) return;
    var bytes;
    try {
      bytes = FS.readFile(RECORDINGS + '/' + recordingName);
    } catch (error) {
      return; // not written: the program has said why
    }
    offerFile(bytes, recordingName);
    TarnelLink.offer(bytes, function() {});
  }
  function offerFile(bytes, name) {
    var link = document.getElementById('save');
    link.href = URL.createObjectURL(new Blob([bytes], {type: 'application/octet-stream'}));
    link.download = name;
    link.hidden = false;
    TarnelMessages.offerAnother();
  }
  // The one replayed is offered as a link once the program plays it, and as a file where it
  // is too long for one.
  function offerReplayed() {
    if (replayedBytes) {
      TarnelLink.offer(replayedBytes, function() { offerFile(replayedBytes, replayName); });
    }
  }

  // The program's words with the page's own folder left out: a file by its name, a link's
  // recording as the linked game, which has no name of its own.
  function inWords(text) {
    var path = RECORDINGS + '/' + replayName;
    // TRANSLATORS: stands for a file's name in the program's messages, as in "cannot replay %s".
    if (replayName !== null) text = text.split(path).join(linked ? _('the linked game') : replayName);
    return text.split(RECORDINGS + '/').join('');
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
  // the page loads afresh (without ?seed=, ?replay= or #replay=) with the recording kept in
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
        TarnelMessages.say(TarnelLanguage.fill(_('The page cannot keep %s to replay it: %s'), file.name,
                                                error.message), true);
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
  if (replayName !== null) againButton.textContent = _('Play a game');
  againButton.addEventListener('click', function() {
    if (replayName === null) location.reload();
    else location.assign(location.pathname);
  });

  return {
    programArguments: programArguments,
    // The recording replayed: its name, its path in the page's files, and the address it came
    // from (null for one watched from a file or a link); null while a game is played and
    // recorded.
    replay: replayName === null ? null : {
      name: replayName,
      path: RECORDINGS + '/' + replayName,
      address: watched || linked ? null : replayAddress,
    },
    prepareFiles: prepareFiles,
    inWords: inWords,
    offerRecording: offerRecording,
    offerReplayed: offerReplayed,
  };
})();
