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

  // The display's format is the canvas's: a copy is all it takes.
  SDL_DisplayFormat__deps: ['SDL_ConvertSurface'],
  SDL_DisplayFormat: function(surf) {
    return _SDL_ConvertSurface(surf);
  },

  // Canvas blits know alpha, not colour keys: the key colour's pixels are made transparent, so
  // that blits leave them out. The game loads a sheet once a sprite, 200 times in all, so the
  // keyed picture is worked out once a picture (its source and key) and copied after that.
  // SDL_SRCCOLORKEY in these headers is 0x20000; the key is SDL_MapRGB's r | g << 8 | b << 16.
  $TarnelPictures: {
    keyed: {}, // 'source key' -> a canvas of that picture with the key colour transparent
  },
  SDL_SetColorKey__deps: ['$TarnelPictures'],
  SDL_SetColorKey: function(surf, flag, key) {
    var data = SDL.surfaces[surf];
    if (!(flag & 0x20000) || data.colorKeyed) return 0;
    data.colorKeyed = true;
    var name = data.source + ' ' + key;
    var keyed = TarnelPictures.keyed[name];
    if (!keyed) {
      var image = data.ctx.getImageData(0, 0, data.width, data.height);
      var pixels = image.data;
      var red = key & 0xff, green = (key >> 8) & 0xff, blue = (key >> 16) & 0xff;
      for (var i = 0; i < pixels.length; i += 4) {
        if (pixels[i] == red && pixels[i + 1] == green && pixels[i + 2] == blue) pixels[i + 3] = 0;
      }
      keyed = TarnelPictures.keyed[name] = document.createElement('canvas');
      keyed.width = data.width;
      keyed.height = data.height;
      keyed.getContext('2d').putImageData(image, 0, 0);
    }
    var mode = data.ctx.globalCompositeOperation;
    data.ctx.globalCompositeOperation = 'copy';
    data.ctx.drawImage(keyed, 0, 0);
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
  // plugins); one that is missing never gets here, refused by the game with the system's reason. The library's loader also copies every picture
  // back into the heap, 200 times here; the pixels reach surface->pixels on SDL_LockSurface
  // instead, as they do for every other surface of this library, and the game only blits.
  SDL_LoadBMP_RW__deps: ['$SDL', '$PATH_FS', 'SDL_FreeRW', '$TarnelError'],
  SDL_LoadBMP_RW: function(rwops, freeSource) {
    var name = PATH_FS.resolve(SDL.rwops[rwops].filename);
    if (freeSource) _SDL_FreeRW(rwops);
    var picture = Module['preloadedImages'][name];
    if (!picture) {
      TarnelError.set('the browser cannot decode it');
      return 0;
    }
    var surf = SDL.makeSurface(picture.width, picture.height, 0, false, 'load:' + name);
    var ctx = SDL.surfaces[surf].ctx;
    ctx.globalCompositeOperation = 'copy';
    ctx.drawImage(picture, 0, 0);
    ctx.globalCompositeOperation = 'source-over';
    return surf;
  },

  // The canvas shows what is drawn without a flip; the page counts flips to time its frames.
  SDL_Flip: function(surf) {
    if (Module['onFlip']) Module['onFlip']();
    return 0;
  },
});
