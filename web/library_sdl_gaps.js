// What the browser's SDL (Emscripten's library_sdl.js) leaves out or does otherwise than the
// desktop's SDL 1.2, filled in so that the same game code behaves the same in a page.
mergeInto(LibraryManager.library, {
  // Input: the desktop's SDL sends no key repeats unless asked, and keeps event types the game
  // ignores out of its queue. Taken one a frame, repeats or mouse moves would pile up ahead of
  // the keys and a released arrow would go on walking.
  $TarnelInput__deps: ['$SDL'],
  $TarnelInput__postset: 'TarnelInput.install();',
  $TarnelInput: {
    ignored: {}, // SDL event type -> true while SDL_EventState has it ignored
    // The library makes touch events from mouse buttons too: they go with the buttons.
    touchFollows: {0x700: 0x401, 0x701: 0x402, 0x702: 0x400},
    isIgnored: function(event) {
      var type = typeof event == 'number' ? 0 : SDL.DOMEventToSDLEvent[event.type];
      return !!(TarnelInput.ignored[type] || TarnelInput.ignored[TarnelInput.touchFollows[type]]);
    },
    // Takes back the events queued from index before on that the game ignores.
    dropIgnoredSince: function(before) {
      var added = SDL.events.splice(before).filter(function(e) { return !TarnelInput.isIgnored(e); });
      Array.prototype.push.apply(SDL.events, added);
    },
    install: function() {
      var receive = SDL.receiveEvent;
      SDL.receiveEvent = function(event) {
        if (event.type == 'keydown' && event.repeat) {
          event.preventDefault(); // an arrow's repeats must not scroll the page either
          return;
        }
        var before = SDL.events.length;
        receive(event);
        TarnelInput.dropIgnoredSince(before);
      };
      // The library queues a pad's moves and presses on every poll of events and every
      // SDL_JoystickUpdate, whether their types are ignored or not; a stick that never rests
      // would fill the queue ahead of the keys.
      var queryPads = SDL.queryJoysticks;
      SDL.queryJoysticks = function() {
        var before = SDL.events.length;
        queryPads();
        TarnelInput.dropIgnoredSince(before);
      };
    },
  },

  // SDL_QUERY (-1) answers, SDL_IGNORE (0) drops the type's pending events as well, SDL_ENABLE
  // (1) lets it in again; returns the state before.
  SDL_EventState__deps: ['$TarnelInput'],
  SDL_EventState: function(type, state) {
    var was = TarnelInput.ignored[type] ? 0 : 1;
    if (state == 0) {
      TarnelInput.ignored[type] = true;
      SDL.events = SDL.events.filter(function(e) { return !TarnelInput.isIgnored(e); });
    } else if (state == 1) {
      delete TarnelInput.ignored[type];
    }
    return was;
  },

  // Gamepads: the browser lists them in slots, any of which may be empty (Chromium gives
  // [null, null, null, null] with none, and a pad may sit in the second slot alone); SDL numbers
  // the joysticks present from 0. Every joystick function of the library finds its pad through
  // SDL.getGamepad, which now counts only the pads present.
  $TarnelPads__deps: ['$SDL'],
  $TarnelPads__postset: 'TarnelPads.install();',
  $TarnelPads: {
    present: function() {
      return Array.prototype.filter.call(SDL.getGamepads(), function(pad) {
        return pad && pad.connected !== false;
      });
    },
    install: function() {
      SDL.getGamepad = function(index) { return TarnelPads.present()[index] || null; };
    },
  },
  SDL_NumJoysticks__deps: ['$TarnelPads'],
  SDL_NumJoysticks: function() {
    return TarnelPads.present().length;
  },

  // SDL_PEEKEVENT (1) counts the matching events and copies the first without taking it;
  // SDL_GETEVENT (2) takes one. Types from..to, both included. One event is copied at most, as
  // in the library's own.
  SDL_PeepEvents__deps: ['$TarnelInput'],
  SDL_PeepEvents: function(events, count, action, from, to) {
    var PEEK = 1, GET = 2;
    if (action != PEEK && action != GET) throw 'SDL_PeepEvents: action ' + action + ' is not read';
    if (action == GET) count = Math.min(count, 1);
    var found = 0;
    for (var i = 0; i < SDL.events.length && found < count;) {
      var event = SDL.events[i];
      var type = typeof event == 'number' ? {{{ makeGetValue('event', 0, 'i32') }}} : SDL.DOMEventToSDLEvent[event.type];
      if (type < from || type > to) {
        i++;
      } else if (action == PEEK) {
        if (events && found == 0) {
          if (typeof event == 'number') {
            _memcpy(events, event, {{{ C_STRUCTS.SDL_KeyboardEvent.__size__ }}});
          } else {
            SDL.makeCEvent(event, events);
          }
        }
        found++;
        i++;
      } else if (SDL.makeCEvent(event, events) === false) {
        i++;
      } else {
        SDL.events.splice(i, 1);
        found++;
      }
    }
    return found;
  },

  // Pictures: the game loads a sheet once a sprite, 201 surfaces of 5 pictures, and only blits
  // them. Each file is read once, and every surface of one picture shows the same canvas, so a
  // load, a display-format copy and a colour key draw nothing; a keyed copy is worked out once
  // a picture and key. A surface gets a canvas of its own, a copy, the first time anything asks
  // for its drawing context (a blit into it, a fill, a lock): blits from it read only its canvas.
  // Pixels are kept as ImageData; read as 32-bit words (little-endian, as SDL_MapRGB assumes
  // too) a pixel is 0xAABBGGRR.
  $TarnelPictures__deps: ['$SDL', '$FS'],
  $TarnelPictures: {
    files: {}, // file name -> its picture, or why it cannot be read
    // A picture: the pixels, the canvas showing them, and its keyed copies by key.
    picture: function(image, name) {
      var canvas = document.createElement('canvas');
      canvas.width = image.width;
      canvas.height = image.height;
      canvas.getContext('2d').putImageData(image, 0, 0);
      return {image: image, canvas: canvas, name: name, keyed: {}};
    },
    // The picture in the page's file name, read once; a string says why it cannot be.
    load: function(name) {
      if (!(name in TarnelPictures.files)) {
        if (!FS.analyzePath(name).exists) {
          return TarnelPictures.files[name] = 'the page has no such file';
        }
        TarnelPictures.read(name, FS.readFile(name));
      }
      return TarnelPictures.files[name];
    },
    // Reads the bytes of the file name, a BMP file, into its picture.
    read: function(name, bytes) {
      var image = TarnelPictures.readBmp(bytes);
      TarnelPictures.files[name] =
          typeof image == 'string' ? image : TarnelPictures.picture(image, name);
    },
    // The pixels of a BMP file's bytes, or why they cannot be read. The game's pictures are
    // uncompressed 24-bit, rows bottom-up; 32-bit ones and top-down rows read as well.
    readBmp: function(bytes) {
      var HEADERS = 54; // bytes: the file header and the 40-byte information header
      var view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
      if (bytes.length < HEADERS || view.getUint16(0) != 0x424d) return 'it is not a BMP file';
      var offset = view.getUint32(10, true), width = view.getInt32(18, true);
      var height = view.getInt32(22, true), bits = view.getUint16(28, true);
      var compressed = view.getUint32(30, true) != 0;
      if (view.getUint32(14, true) < 40 || compressed || (bits != 24 && bits != 32)) {
        return 'the page reads uncompressed 24- and 32-bit BMP files only';
      }
      var rows = Math.abs(height), step = bits / 8, pitch = (width * step + 3) & ~3;
      if (width <= 0 || rows == 0 || offset + pitch * rows > bytes.length) {
        return 'its header claims ' + width + 'x' + height + ' pixels, more than the file holds';
      }
      var image = new ImageData(width, rows);
      var words = new Uint32Array(image.data.buffer);
      for (var y = 0; y < rows; y++) {
        var from = offset + (height > 0 ? rows - 1 - y : y) * pitch; // stored blue, green, red
        for (var to = y * width, end = to + width; to < end; to++, from += step) {
          words[to] = 0xff000000 | bytes[from] << 16 | bytes[from + 1] << 8 | bytes[from + 2];
        }
      }
      return image;
    },
    // The picture with every pixel of the key colour (SDL_MapRGB's) transparent; itself when
    // it has none.
    keyedCopy: function(picture, key) {
      if (picture.keyed[key]) return picture.keyed[key];
      var colour = (key | 0xff000000) >>> 0;
      var first = new Uint32Array(picture.image.data.buffer).indexOf(colour);
      if (first < 0) return picture.keyed[key] = picture;
      var image = new ImageData(new Uint8ClampedArray(picture.image.data), picture.image.width);
      var words = new Uint32Array(image.data.buffer);
      for (var i = first; i < words.length; i++) {
        if (words[i] === colour) words[i] = 0;
      }
      return picture.keyed[key] = TarnelPictures.picture(image, picture.name);
    },
    // A new surface that shows the picture, without drawing it.
    share: function(picture) {
      var surf = SDL.makeSurface(picture.image.width, picture.image.height, 0, false, picture.name);
      var data = SDL.surfaces[surf];
      SDL.canvasPool.push(data.canvas); // made for it and not needed: the next surface's
      TarnelPictures.show(data, picture);
      return surf;
    },
    // Makes a surface's data show the picture, shared, until its drawing context is asked for.
    show: function(data, picture) {
      data.canvas = picture.canvas;
      data.picture = picture;
      Object.defineProperty(data, 'ctx', {configurable: true, enumerable: false, get: function() {
        TarnelPictures.own(data);
        return data.ctx;
      }});
    },
    // Gives a surface that shares its picture a copy of its own, to draw into.
    own: function(data) {
      var canvas = document.createElement('canvas');
      canvas.width = data.width;
      canvas.height = data.height;
      var ctx = canvas.getContext('2d');
      ctx.drawImage(data.canvas, 0, 0);
      delete data.ctx;
      data.canvas = canvas;
      data.ctx = ctx;
      data.picture = null;
    },
  },

  // The display's format is the canvas's: a copy is all it takes, and a picture's shares it.
  SDL_DisplayFormat__deps: ['SDL_ConvertSurface', '$TarnelPictures'],
  SDL_DisplayFormat: function(surf) {
    var data = SDL.surfaces[surf];
    if (data.picture) return TarnelPictures.share(data.picture);
    return _SDL_ConvertSurface(surf);
  },

  // A picture's canvas goes on showing in its other surfaces: it is not the pool's to reuse.
  SDL_FreeSurface__deps: ['$SDL'],
  SDL_FreeSurface: function(surf) {
    var data = surf && SDL.surfaces[surf];
    if (!data) return;
    var shared = data.picture && data.canvas;
    SDL.freeSurface(surf);
    if (shared && SDL.canvasPool[SDL.canvasPool.length - 1] === shared) SDL.canvasPool.pop();
  },

  // Canvas blits know alpha, not colour keys: the key colour's pixels are made transparent, so
  // that blits leave them out. SDL_SRCCOLORKEY in these headers is 0x20000; the key is
  // SDL_MapRGB's, 0xff000000 | b << 16 | g << 8 | r.
  SDL_SetColorKey__deps: ['$TarnelPictures'],
  SDL_SetColorKey: function(surf, flag, key) {
    var data = SDL.surfaces[surf];
    if (!(flag & 0x20000) || data.colorKeyed) return 0;
    data.colorKeyed = true;
    if (data.picture) {
      TarnelPictures.show(data, TarnelPictures.keyedCopy(data.picture, key));
      return 0;
    }
    var own = TarnelPictures.picture(data.ctx.getImageData(0, 0, data.width, data.height), '');
    var mode = data.ctx.globalCompositeOperation;
    data.ctx.globalCompositeOperation = 'copy';
    data.ctx.drawImage(TarnelPictures.keyedCopy(own, key).canvas, 0, 0);
    data.ctx.globalCompositeOperation = mode;
    return 0;
  },

  // Errors in words: the library's SDL_SetError drops them and SDL_GetError is always generic.
  $TarnelError__deps: ['$SDL'],
  $TarnelError: {
    set: function(text) {
      if (SDL.errorMessage) _free(SDL.errorMessage);
      SDL.errorMessage = allocateUTF8(text);
    },
  },
  SDL_SetError__deps: ['$formatString', '$TarnelError'],
  SDL_SetError: function(format, varargs) {
    TarnelError.set(UTF8ArrayToString(formatString(format, varargs), 0));
  },

  // Pictures are the game's BMP files in the page's files, read by the page itself, most of
  // them before main (web/pictures.js): handing them to the browser's image decoder (the
  // preload plugins) cost more than reading them. A missing one never gets here, refused by the
  // game with the system's reason.
  SDL_LoadBMP_RW__deps: ['$SDL', '$PATH_FS', 'SDL_FreeRW', '$TarnelError', '$TarnelPictures'],
  SDL_LoadBMP_RW: function(rwops, freeSource) {
    var name = PATH_FS.resolve(SDL.rwops[rwops].filename);
    if (freeSource) _SDL_FreeRW(rwops);
    var picture = TarnelPictures.load(name);
    if (typeof picture == 'string') {
      TarnelError.set(picture);
      return 0;
    }
    return TarnelPictures.share(picture);
  },

  // The canvas shows what is drawn without a flip; the page counts flips to time its frames.
  SDL_Flip: function(surf) {
    if (Module['onFlip']) Module['onFlip']();
    return 0;
  },
});
