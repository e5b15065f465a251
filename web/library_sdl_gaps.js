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
    install: function() {
      var receive = SDL.receiveEvent;
      SDL.receiveEvent = function(event) {
        if (event.type == 'keydown' && event.repeat) {
          event.preventDefault(); // an arrow's repeats must not scroll the page either
          return;
        }
        var before = SDL.events.length;
        receive(event);
        var added = SDL.events.splice(before).filter(function(e) { return !TarnelInput.isIgnored(e); });
        Array.prototype.push.apply(SDL.events, added);
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
  // them. Every surface of one picture shows the same canvas, so a load, a display-format copy
  // and a colour key draw nothing; the keyed canvas is worked out once a picture and key. A
  // surface gets a canvas of its own, a copy, the first time anything asks for its drawing
  // context (a blit into it, a fill, a lock): blits from it read only its canvas.
  $TarnelPictures__deps: ['$SDL'],
  $TarnelPictures: {
    keyed: {}, // 'name key' -> a canvas of that picture with the key colour transparent
    // A new surface that shows canvas, the picture called name, without drawing it.
    share: function(canvas, name) {
      var surf = SDL.makeSurface(canvas.width, canvas.height, 0, false, name);
      var data = SDL.surfaces[surf];
      SDL.canvasPool.push(data.canvas); // made for it and not needed: the next surface's
      TarnelPictures.show(data, canvas, name);
      return surf;
    },
    // Makes a surface's data show canvas, shared, until its drawing context is asked for.
    show: function(data, canvas, name) {
      data.canvas = canvas;
      data.picture = name;
      Object.defineProperty(data, 'ctx', {configurable: true, get: function() {
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
    // A copy of canvas with every pixel of the key colour (r | g << 8 | b << 16) transparent.
    keyedCopy: function(canvas, key) {
      var image = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
      var pixels = image.data;
      var red = key & 0xff, green = (key >> 8) & 0xff, blue = (key >> 16) & 0xff;
      for (var i = 0; i < pixels.length; i += 4) {
        if (pixels[i] == red && pixels[i + 1] == green && pixels[i + 2] == blue) pixels[i + 3] = 0;
      }
      var keyed = document.createElement('canvas');
      keyed.width = canvas.width;
      keyed.height = canvas.height;
      keyed.getContext('2d').putImageData(image, 0, 0);
      return keyed;
    },
  },

  // The display's format is the canvas's: a copy is all it takes, and a picture's shares it.
  SDL_DisplayFormat__deps: ['SDL_ConvertSurface', '$TarnelPictures'],
  SDL_DisplayFormat: function(surf) {
    var data = SDL.surfaces[surf];
    if (data.picture) return TarnelPictures.share(data.canvas, data.picture);
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
  // SDL_MapRGB's r | g << 8 | b << 16.
  SDL_SetColorKey__deps: ['$TarnelPictures'],
  SDL_SetColorKey: function(surf, flag, key) {
    var data = SDL.surfaces[surf];
    if (!(flag & 0x20000) || data.colorKeyed) return 0;
    data.colorKeyed = true;
    if (data.picture) {
      var name = data.picture + ' ' + key; // names what the canvas shows
      var keyed = TarnelPictures.keyed[name] || TarnelPictures.keyedCopy(data.canvas, key);
      TarnelPictures.show(data, TarnelPictures.keyed[name] = keyed, name);
      return 0;
    }
    var copy = TarnelPictures.keyedCopy(data.canvas, key);
    var mode = data.ctx.globalCompositeOperation;
    data.ctx.globalCompositeOperation = 'copy';
    data.ctx.drawImage(copy, 0, 0);
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

  // Pictures come from the page's package, decoded by the browser as it loads (the preload
  // plugins); one that is missing never gets here, refused by the game with the system's
  // reason. Every load of a picture shares the decoded canvas (see TarnelPictures).
  SDL_LoadBMP_RW__deps: ['$SDL', '$PATH_FS', 'SDL_FreeRW', '$TarnelError', '$TarnelPictures'],
  SDL_LoadBMP_RW: function(rwops, freeSource) {
    var name = PATH_FS.resolve(SDL.rwops[rwops].filename);
    if (freeSource) _SDL_FreeRW(rwops);
    var picture = Module['preloadedImages'][name];
    if (!picture) {
      TarnelError.set('the browser cannot decode it');
      return 0;
    }
    return TarnelPictures.share(picture, name);
  },

  // The canvas shows what is drawn without a flip; the page counts flips to time its frames.
  SDL_Flip: function(surf) {
    if (Module['onFlip']) Module['onFlip']();
    return 0;
  },
});
