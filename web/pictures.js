// The page's pictures: fetched, read (library_sdl_gaps.js) while the WebAssembly still
// compiles, and put into the page's files, where the game reads them by bare name, before
// main. index.data is the game's BMP files, each after a line 'NAME SIZE', the whole gzipped:
// 0.5 MB to fetch instead of 3.4 MB, unpacked natively as it arrives.
var tarnelPictures = typeof DecompressionStream != 'function'
  ? Promise.reject('this browser cannot unpack the pictures: it has no DecompressionStream')
  : fetch('index.data').then(function(response) {
      if (!response.ok) {
        throw 'cannot fetch index.data: ' + response.status + ' ' + response.statusText;
      }
      return new Response(response.body.pipeThrough(new DecompressionStream('gzip'))).arrayBuffer();
    }).then(unpackPictures);

// The packed files, by name: their bytes, which are read at once.
function unpackPictures(buffer) {
  var bytes = new Uint8Array(buffer);
  var NEWLINE = 10;
  var files = {};
  for (var at = 0; at < bytes.length;) {
    var end = bytes.indexOf(NEWLINE, at);
    var line = new TextDecoder().decode(bytes.subarray(at, end)).split(' ');
    var start = end + 1, size = Number(line[1]);
    files[line[0]] = bytes.subarray(start, start + size);
    TarnelPictures.read('/' + line[0], files[line[0]]);
    at = start + size;
  }
  return files;
}

// The files go into the page's root folder, without copying their bytes, once the runtime has
// its memory.
Module['preRun'] = (Module['preRun'] || []).concat(function() {
  addRunDependency('pictures');
  tarnelPictures.then(function(files) {
    for (var name in files) FS.createDataFile('/', name, files[name], true, false, true);
    removeRunDependency('pictures');
  }, function(reason) {
    abort(reason);
  });
});
