// The page's pictures: fetched and unpacked into the page's files before main, where the game
// reads them by bare name. index.data is the game's BMP files, each after a line 'NAME SIZE',
// the whole gzipped: 0.5 MB to fetch instead of 3.4 MB, unpacked natively as it arrives.
var tarnelPictures = typeof DecompressionStream != 'function'
  ? Promise.reject('this browser cannot unpack the pictures: it has no DecompressionStream')
  : fetch('index.data').then(function(response) {
      if (!response.ok) throw 'cannot fetch index.data: ' + response.status + ' ' + response.statusText;
      return new Response(response.body.pipeThrough(new DecompressionStream('gzip'))).arrayBuffer();
    });

// Puts each packed file into the page's root folder, without copying its bytes.
function unpackPictures(buffer) {
  var bytes = new Uint8Array(buffer);
  var NEWLINE = 10;
  for (var at = 0; at < bytes.length;) {
    var end = bytes.indexOf(NEWLINE, at);
    var line = new TextDecoder().decode(bytes.subarray(at, end)).split(' ');
    var start = end + 1, size = Number(line[1]);
    FS.createDataFile('/', line[0], bytes.subarray(start, start + size), true, false, true);
    at = start + size;
  }
}

Module['preRun'] = (Module['preRun'] || []).concat(function() {
  addRunDependency('pictures');
  tarnelPictures.then(unpackPictures).then(function() {
    removeRunDependency('pictures');
  }, function(reason) {
    abort(reason);
  });
});
