// The browser edition played in headless chromium or firefox-esr (page.js): the page, the
// pictures on the canvas, walking with browser key repeats, keys after mouse movement, pause,
// the seed, the end, the service worker left until the first frame is drawn, and the sound: none
// and not a console line before the first key, playing after it, and the Mute control.
// Usage: node play_test.js WEB_FOLDER SCREENSHOT_FILE
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const zlib = require('zlib');
const {ENGINE, CAPTION, openPage, check, sleep, waitForMessage, SETTLE, frames, changeAfter, installCanvasTools,
  runPageTest} = require('./page');

const [webFolder, screenshotFile] = process.argv.slice(2);
const SEED = 7;
const STEP = 4;              // pixels the player walks a frame
const REPEAT_DELAY = 500;    // ms before a held key repeats, as browsers do
const REPEAT_INTERVAL = 33;  // ms between repeats: about 30 a second
const ESCAPE_HOLD = 200;     // ms: Escape is read as held, once a frame, and ends the frames
const GZIP_BUDGET = 1 << 20; // bytes the page may take gzipped

// Holds key for ms as a browser does: a keydown, then repeats (event.repeat) every 33 ms.
async function holdKey(page, key, ms) {
  const start = Date.now();
  await page.keyboard.down(key);
  await sleep(Math.min(REPEAT_DELAY, ms));
  while (Date.now() - start < ms) {
    await page.keyboard.down(key); // held already: sent with autoRepeat, seen as event.repeat
    await sleep(REPEAT_INTERVAL);
  }
  await page.keyboard.up(key);
}

// In the page, beside the shared canvas tools: what the pictures' own colours tell of a snapshot,
// and whether the page reads the pictures as the browser's image decoder does.
async function installPictureTools() {
  const rgb = (data, i) => (data[i] << 16) | (data[i + 1] << 8) | data[i + 2];
  // A picture of the page's files as the browser's own image decoder reads it: its pixels.
  const decoded = async (name) => {
    const file = new Blob([FS.readFile('/' + name)], {type: 'image/bmp'});
    const picture = await createImageBitmap(file);
    const canvas = document.createElement('canvas');
    canvas.width = picture.width;
    canvas.height = picture.height;
    canvas.getContext('2d').drawImage(picture, 0, 0);
    return canvas.getContext('2d').getImageData(0, 0, picture.width, picture.height).data;
  };
  const SHEETS = ['Link.bmp', 'BlueSoldier.bmp', 'GreenSoldier.bmp', 'Armos.bmp'];
  const pixels = {};
  for (const name of ['Background.bmp', ...SHEETS]) pixels[name] = await decoded(name);
  // Every colour of a picture.
  const colours = (name) => {
    const set = new Set();
    for (let i = 0; i < pixels[name].length; i += 4) set.add(rgb(pixels[name], i));
    return set;
  };
  const MAGENTA = 0xff00ff;
  const background = colours('Background.bmp');
  const sprites = new Set();
  for (const sheet of SHEETS) {
    for (const colour of colours(sheet)) if (!background.has(colour) && colour !== MAGENTA) sprites.add(colour);
  }
  window.repeatsSeen = 0;
  document.addEventListener('keydown', (event) => { if (event.repeat) window.repeatsSeen++; });
  Object.assign(window.tools, {
    // Names of the pictures the page's own BMP reader reads otherwise than the browser.
    misread() {
      return Object.keys(pixels).filter((name) => {
        const read = TarnelPictures.files['/' + name].image.data;
        return read.length !== pixels[name].length || read.some((byte, i) => byte !== pixels[name][i]);
      });
    },
    // Pixels of the canvas by what they show: magenta, the background's colours, colours only
    // sprites have.
    census() {
      const data = Module.canvas.getContext('2d').getImageData(0, 0, Module.canvas.width, Module.canvas.height).data;
      const counts = {magenta: 0, background: 0, sprite: 0, pixels: data.length / 4};
      for (let i = 0; i < data.length; i += 4) {
        const colour = rgb(data, i);
        if (colour === MAGENTA) counts.magenta++;
        else if (background.has(colour)) counts.background++;
        else if (sprites.has(colour)) counts.sprite++;
      }
      return counts;
    },
  });
}

// A hash of the canvas after each of the first frames, taken in the page as they are drawn,
// and when the first frame came, ms after the load began.
async function firstFrames(browser, address, seed, errors) {
  const page = await openPage(browser, errors);
  await page.evaluateOnNewDocument(() => {
    window.frameHashes = [];
    let module;
    Object.defineProperty(window, 'Module', {
      configurable: true,
      get: () => module,
      set: (value) => {
        module = value;
        const after = value.postMainLoop;
        value.postMainLoop = function() {
          after();
          if (window.frameHashes.length >= 5) return;
          const data = module.canvas.getContext('2d').getImageData(0, 0, 640, 480).data;
          let hash = 2166136261;
          for (let i = 0; i < data.length; i++) hash = Math.imul(hash ^ data[i], 16777619) >>> 0;
          window.frameHashes.push(hash);
        };
      },
    });
  });
  await page.goto(`${address}?seed=${seed}`);
  await page.waitForFunction(() => window.frameHashes.length >= 5, {timeout: 15000});
  const {hashes, firstFlip} = await page.evaluate(() =>
    ({hashes: window.frameHashes.join(' '), firstFlip: Module.timing.firstFlip}));
  await page.close();
  return {hashes, firstFlip};
}

// In the page, once it has drawn: when each file had arrived and the runtime was ready, ms
// after the load began.
function loadSplit() {
  const arrived = {'index.html': performance.getEntriesByType('navigation')[0].responseEnd};
  for (const entry of performance.getEntriesByType('resource')) {
    arrived[new URL(entry.name).pathname.replace(/.*\//, '')] = entry.responseEnd;
  }
  return {arrived, ready: Module.timing.ready, firstFlip: Module.timing.firstFlip};
}

// The files a browser fetches, raw and gzipped, bytes: the page's own, and of the languages'
// (languages/LL.js and LL.mo) those of the largest, as a reader fetches one language's alone.
function transfer(folder) {
  const sizes = (names, within) => names.map((name) => {
    const body = fs.readFileSync(path.join(within, name));
    return {name, raw: body.length, gzipped: zlib.gzipSync(body, {level: 9}).length};
  });
  const own = sizes(fs.readdirSync(folder).filter((name) => name !== 'languages'), folder);
  const languages = path.join(folder, 'languages');
  const perLanguage = {};
  for (const file of sizes(fs.readdirSync(languages), languages)) {
    const language = path.parse(file.name).name;
    perLanguage[language] = (perLanguage[language] || []).concat([file]);
  }
  const total = (files, field) => files.reduce((sum, file) => sum + file[field], 0);
  const largest = Object.values(perLanguage).sort((a, b) => total(b, 'gzipped') - total(a, 'gzipped'))[0];
  const files = own.concat(largest.map((file) => ({...file, name: `languages/${file.name}`})))
    .sort((a, b) => a.name.localeCompare(b.name));
  return {raw: total(files, 'raw'), gzipped: total(files, 'gzipped'),
    lines: files.map(({name, raw, gzipped}) => `  ${name}: ${raw} bytes, ${gzipped} gzipped`)};
}

// In the page, before it loads: when the service worker is first registered, ms after the load
// began.
function timeRegistration() {
  const register = ServiceWorkerContainer.prototype.register;
  ServiceWorkerContainer.prototype.register = function(...args) {
    if (window.registeredAt === undefined) window.registeredAt = performance.now();
    return register.apply(this, args);
  };
}

runPageTest(webFolder, {}, async (browser, address) => {
  const errors = [];
  const page = await openPage(browser, errors);
  const said = []; // every console line, of any kind
  page.on('console', (message) => said.push(`${message.type()}: ${message.text()}`));
  await page.evaluateOnNewDocument(timeRegistration);
  await page.goto(`${address}?seed=${SEED}`);
  await page.waitForFunction(() => Module.timing.flips > 0, {timeout: 15000});
  const cold = await page.evaluate(loadSplit);
  // The worker fetches every file of the page again as it installs: not before the first frame.
  const registered = await page.waitForFunction(() => window.registeredAt, {timeout: 5000})
    .then((handle) => handle.jsonValue(), () => null);
  check(registered >= cold.firstFlip, 'the service worker is registered once the first frame is drawn',
    `at ${registered} ms, the first frame at ${cold.firstFlip} ms`);
  const loadAverage = os.loadavg().map((load) => load.toFixed(2)).join(' ');
  const title = await page.evaluate(() => [document.title, document.querySelector('h1').textContent]);
  check(title[0] === CAPTION && title[1] === CAPTION, `the title is "${CAPTION}"`, title.join(' / '));
  // A second of frames with no key yet, before the test's own tools read the canvas back.
  await page.waitForFunction(() => Module.timing.flips >= 20, {timeout: 15000});
  const silentBefore = await page.evaluate(() => !SDL.audioContext);
  check(silentBefore && said.length === 0, 'before the first key no audio is made and the console is quiet',
    said.join('; '));
  await page.evaluate(installCanvasTools);
  await page.evaluate(installPictureTools);

  await frames(page, SETTLE);
  await page.evaluate(() => tools.snap('start'));
  const census = await page.evaluate(() => tools.census());
  check(census.magenta === 0, 'not one magenta pixel on the canvas', `${census.magenta} magenta`);
  check(census.background > census.pixels * 0.8, 'the background fills the canvas',
    `${census.background} of ${census.pixels} pixels`);
  check(census.sprite >= 1000, 'sprites are drawn over it', `${census.sprite} pixels of sprite colours`);
  const misread = await page.evaluate(() => tools.misread());
  check(misread.length === 0,
    'the page reads the pictures as the browser\'s decoder does, pixel for pixel', misread.join(', '));
  await page.screenshot({path: screenshotFile, fullPage: true});

  // The first key, X, which the game does not use: the page's audio is made and the wind plays.
  // Headless firefox-esr keeps its audio suspended on a machine without a sound card, even after
  // a click; chromium's runs.
  await page.keyboard.press('x');
  const running = await page.waitForFunction((needsRunning) => SDL.audioContext &&
    (SDL.audioContext.state === 'running' || !needsRunning) &&
    SDL.channels.some((channel) => channel.audio && !channel.audio.paused), {timeout: 5000}, ENGINE === 'chromium')
    .then(() => true, () => false);
  check(running, 'after the first key the page\'s audio runs and plays', await page.evaluate(
    () => SDL.audioContext ? SDL.audioContext.state : 'no audio'));

  // A held Right with repeats walks the view right; released, it stops at once. Queued, the
  // repeats of two seconds would walk it on for half a second more.
  await holdKey(page, 'ArrowRight', 2000);
  await frames(page, SETTLE);
  await page.evaluate(() => tools.snap('released'));
  await sleep(1000);
  await page.evaluate(() => tools.snap('later'));
  const repeats = await page.evaluate(() => window.repeatsSeen);
  check(repeats >= 10, 'the held key repeated as a browser repeats it', `${repeats} repeats`);
  const walked = await page.evaluate(() => tools.shift('start', 'released'));
  check(walked.dx >= 10 * STEP, 'a held Right scrolls the view right', JSON.stringify(walked));
  const drift = await page.evaluate(() => tools.shift('released', 'later'));
  check(drift.dx === 0, 'the view stops when Right is released', JSON.stringify(drift));

  // The Mute control, found by its name, silences every channel and is named Unmute; M in the
  // game unmutes, and the control follows.
  const playing = () => SDL.channels.filter((channel) => channel.audio && !channel.audio.paused).length;
  await page.click('aria/Mute[role="button"]');
  await frames(page, 2);
  const muted = await page.evaluate(playing);
  check(muted === 0 && await page.$('aria/Unmute[role="button"]') !== null,
    'the Mute control silences the page and is then named Unmute', `${muted} channels playing`);
  await page.keyboard.press('m');
  await frames(page, 3);
  const unmuted = await page.evaluate(playing);
  check(unmuted > 0 && await page.$('aria/Mute[role="button"]') !== null,
    'M unmutes, and the control is named Mute again', `${unmuted} channels playing`);
  await page.click('aria/Mute[role="button"]'); // muted again, to be remembered below

  // Three seconds of mouse movement over the canvas, then Left must still walk: back along
  // the path just walked, where the crowd is least likely to stand in the way.
  const box = await (await page.$('canvas')).boundingBox();
  const moveStart = Date.now();
  for (let i = 0; Date.now() - moveStart < 3000; i++) {
    await page.mouse.move(box.x + 20 + (i * 7) % 600, box.y + 20 + (i * 5) % 440);
    await sleep(10);
  }
  await page.evaluate(() => tools.snap('moused'));
  await holdKey(page, 'ArrowLeft', 1000);
  await frames(page, SETTLE);
  await page.evaluate(() => tools.snap('walked'));
  // Queued behind the moves, the key would not walk at all.
  const afterMouse = await page.evaluate(() => tools.shift('moused', 'walked'));
  check(afterMouse.dx <= -STEP, 'keys still walk after mouse movement', JSON.stringify(afterMouse));

  // Return freezes the world; Return again lets it move on.
  const pressEnter = () => page.keyboard.press('Enter');
  const frozen = await changeAfter(page, pressEnter);
  check(frozen === 0, 'Return pauses: nothing moves', `${frozen} pixels changed`);
  const moving = await changeAfter(page, pressEnter);
  check(moving > 0, 'Return again resumes: the crowd moves', `${moving} pixels changed`);

  // The arrows walk; the page, made taller than the window, stays where it is.
  await page.evaluate(() => { document.documentElement.style.height = '200vh'; });
  const scrollable = await page.evaluate(() => document.scrollingElement.scrollHeight > innerHeight);
  const top = await page.evaluate(() => scrollY);
  await holdKey(page, 'ArrowDown', 800);
  const scrolled = await page.evaluate((from) => scrollY - from, top);
  check(scrollable && scrolled === 0, 'arrow keys do not scroll the page', `scrolled ${scrolled} px`);

  // Figures for docs/PERFORMANCE.md, measured in the page: the first flip after the load
  // began, from a cold start (this page is the first a fresh browser with a fresh profile
  // loads), then flips and the page's own work per frame while walking for five seconds.
  const before = await page.evaluate(() => ({...Module.timing}));
  await holdKey(page, 'ArrowLeft', 5000);
  const after = await page.evaluate(() => ({...Module.timing}));
  const played = after.frames - before.frames;
  const ms = (time) => `${time.toFixed(0)} ms`;
  console.log(`figures: cold start: first frame ${ms(cold.firstFlip)} after the load began, the first page` +
    ` of a fresh ${await browser.version()} and profile (load average ${loadAverage})`);
  console.log(`  arrived: ${Object.entries(cold.arrived).map(([name, time]) => `${name} ${ms(time)}`).join(', ')};` +
    ` runtime ready ${ms(cold.ready)}; first frame ${ms(cold.firstFlip)}`);
  console.log(`figures: ${((after.flips - before.flips) * 1000 / (after.lastFlip - before.lastFlip)).toFixed(2)}` +
    ` frames a second while walking; the page's own work ${((after.workMs - before.workMs) / played).toFixed(2)} ms a frame`);

  // The surfaces of one picture share its canvas; drawn into, one gets a canvas of its own,
  // and the others go on showing the picture.
  const drawnInto = await page.evaluate(() => {
    const pixels = (canvas) => canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    const shown = Object.values(SDL.surfaces).filter((data) => data && data.picture);
    const one = shown.find((data) => shown.some((another) => another !== data && another.canvas === data.canvas));
    const other = shown.find((data) => data !== one && data.canvas === one.canvas);
    const before = pixels(other.canvas).join();
    one.ctx.fillRect(0, 0, one.width, one.height);
    return {own: one.canvas !== other.canvas, othersKept: pixels(other.canvas).join() === before,
      filled: pixels(one.canvas).every((byte, i) => byte === (i % 4 === 3 ? 255 : 0))};
  });
  check(drawnInto.own && drawnInto.othersKept && drawnInto.filled,
    'a picture\'s surface drawn into draws on a copy of its own', JSON.stringify(drawnInto));

  // Escape ends the game, and the page says so and offers another.
  await page.keyboard.down('Escape');
  await sleep(ESCAPE_HOLD);
  await page.keyboard.up('Escape');
  const ended = await waitForMessage(page, /over/);
  const again = await page.$eval('#again', (line) => !line.hidden);
  check(ended === 'The game is over.' && again, 'Escape ends the game and the page offers another', ended);
  await page.close();

  // The same seed draws the same first frames; another seed draws others.
  const first = await firstFrames(browser, address, SEED, errors);
  const second = await firstFrames(browser, address, SEED, errors);
  const other = await firstFrames(browser, address, SEED + 1, errors);
  check(first.hashes === second.hashes, `?seed=${SEED} twice gives the same first five frames`,
    `${first.hashes} / ${second.hashes}`);
  check(first.hashes !== other.hashes, `?seed=${SEED + 1} gives other frames`, other.hashes);
  console.log(`figures: warm, the page loaded again in the same browser: first frame` +
    ` ${[first, second, other].map((load) => ms(load.firstFlip)).join(', ')}`);

  // A seed the program refuses: its own complaint, on the page.
  const refused = await openPage(browser, errors);
  await refused.goto(`${address}?seed=-1`);
  const complaint = await waitForMessage(refused, /seed/);
  check(complaint === "tarnel: the seed must be a whole number from 0 to 4294967295, not '-1'",
    'a wrong seed gets the program\'s complaint on the page', complaint);
  check(await refused.$('aria/Unmute[role="button"]') !== null, 'the page remembers that it was muted');

  check(errors.length === 0, 'no console or page errors', errors.join('; '));

  const size = transfer(webFolder);
  console.log(`figures: transfer ${size.raw} bytes, ${size.gzipped} gzipped\n${size.lines.join('\n')}`);
  check(size.gzipped <= GZIP_BUDGET, 'the page takes at most 1 MB gzipped', `${size.gzipped} bytes`);
});
