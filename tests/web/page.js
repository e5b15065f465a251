// Shared by the browser tests: the page served on 127.0.0.1, Debian's chromium or firefox-esr
// driven by puppeteer-core, checks that are counted, and readings of the page's canvas.
'use strict';

const {spawn} = require('child_process');
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

// The engine the tests play the page in: TARNEL_BROWSER=firefox for Debian's firefox-esr over
// WebDriver BiDi, else Debian's chromium over the DevTools protocol (CDP).
const ENGINE = process.env.TARNEL_BROWSER === 'firefox' ? 'firefox' : 'chromium';
const CHROMIUM = '/usr/lib/chromium/chromium'; // Debian's binary, without its shell wrapper
const FIREFOX = '/usr/bin/firefox-esr';
const CAPTION = 'Tarnel v.3.2';
const TYPES = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json', '.png': 'image/png'};

// Serves folder on a free port of 127.0.0.1, and beside it extra's files ('/name' -> bytes),
// which may be added later; resolves to the server, its address, and network, whose cut() takes
// the server away with its open connections, as if the network were gone.
function serve(folder, extra = {}) {
  const server = http.createServer((request, response) => {
    const name = new URL(request.url, 'http://127.0.0.1').pathname.replace(/\/$/, '/index.html');
    const file = path.join(folder, path.normalize(decodeURIComponent(name)));
    const read = name in extra ? (_, done) => done(null, extra[name]) : fs.readFile;
    read(file, (error, body) => {
      if (error) {
        response.writeHead(404).end();
        return;
      }
      response.writeHead(200, {'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream'});
      response.end(body);
    });
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () =>
    resolve({server, address: `http://127.0.0.1:${server.address().port}/`, network: {
      cut() {
        server.close();
        server.closeAllConnections();
      },
    }})));
}

const VIEWPORT = {width: 720, height: 560}; // too short for the canvas at 1x: it is shrunk

// The engine, headless, with a profile of its own and nothing fetched of its own accord:
// chromium by its switches, without the sandbox, which root may not have; firefox-esr by the
// preferences puppeteer writes into its profile.
async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'tarnel-web-'));
  const browser = await puppeteer.launch(ENGINE === 'firefox' ? {
    browser: 'firefox',
    executablePath: FIREFOX,
    headless: true,
    userDataDir: profile,
    defaultViewport: VIEWPORT,
  } : {
    executablePath: CHROMIUM,
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      `--user-data-dir=${profile}`],
    defaultViewport: VIEWPORT,
  });
  return {browser, profile};
}

// Closes the browser, then removes its profile.
async function close({browser, profile}) {
  await browser.close();
  fs.rmSync(profile, {recursive: true, force: true, maxRetries: 3});
}

// A new tab that records every console error and page error in errors.
async function openPage(browser, errors) {
  const page = await browser.newPage();
  page.on('console', (message) => {
    if (message.type() === 'error') errors.push(`console: ${message.text()}`);
  });
  page.on('pageerror', (error) => errors.push(`page: ${error.message}`));
  return page;
}

// Counted checks: a failure is printed and the run goes on; finish() sets the exit status.
const checks = {failures: 0, count: 0};
function check(condition, what, detail = '') {
  checks.count++;
  if (!condition) checks.failures++;
  console.log(`${condition ? 'ok' : 'FAILED'}: ${what}${detail ? ` (${detail})` : ''}`);
}
function finish() {
  console.log(`${checks.count - checks.failures} of ${checks.count} checks passed`);
  process.exitCode = checks.failures === 0 ? 0 : 1;
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Waits until the page's text line says something matching pattern; returns the text.
async function waitForMessage(page, pattern, timeoutMs = 10000) {
  try {
    // The line is looked for afresh each time: a page that reloads itself has none for a moment.
    await page.waitForFunction((source) => new RegExp(source).test(
      document.getElementById('message')?.textContent ?? ''), {timeout: timeoutMs}, pattern.source);
  } catch (error) {
    // the caller's check reports what the line said instead
  }
  return page.$eval('#message', (line) => line.textContent);
}

const SETTLE = 2; // frames: the first polls the key's event, the second acts on it

// Waits until the page has played count more frames, however busy the machine is; throws
// after timeoutMs, when the frames have stopped.
async function frames(page, count, timeoutMs = 30000) {
  const from = await page.evaluate(() => Module.timing.frames);
  await page.waitForFunction((until) => Module.timing.frames >= until, {timeout: timeoutMs}, from + count);
}

// Presses something (press(): a key, a pad's button, a touch), lets it act, and counts the
// canvas pixels that change over the next 12 frames: none while the world is paused.
async function changeAfter(page, press) {
  await press();
  await frames(page, SETTLE);
  await page.evaluate(() => tools.snap('before'));
  await frames(page, 12);
  await page.evaluate(() => tools.snap('after'));
  return page.evaluate(() => tools.differing('before', 'after'));
}

// In the page: canvas snapshots by name, and what the checks read from them.
function installCanvasTools() {
  const context = Module.canvas.getContext('2d');
  const WIDTH = Module.canvas.width;
  const HEIGHT = Module.canvas.height;
  const snaps = {};
  const rgb = (data, i) => (data[i] << 16) | (data[i + 1] << 8) | data[i + 2];
  // The share of sampled pixels (every third) of b that show a's pixel dx to the right and
  // dy below.
  const match = (A, B, dx, dy) => {
    let same = 0;
    let total = 0;
    for (let y = Math.max(0, -dy); y < Math.min(HEIGHT, HEIGHT - dy); y += 3) {
      for (let x = Math.max(0, -dx); x < Math.min(WIDTH, WIDTH - dx); x += 3) {
        const i = (y * WIDTH + x) * 4;
        const j = ((y + dy) * WIDTH + x + dx) * 4;
        total++;
        if (A[j] === B[i] && A[j + 1] === B[i + 1] && A[j + 2] === B[i + 2]) same++;
      }
    }
    return same / total;
  };
  window.tools = {
    snap(name) { snaps[name] = context.getImageData(0, 0, WIDTH, HEIGHT).data; },
    // How far the view moved from a to b, pixels, right (dx) or down (dy), as the player walks
    // one way at a time: b's pixel (x, y) shows a's (x + dx, y + dy). The sprites walk about,
    // so the best match wins.
    shift(a, b) {
      let best = {dx: 0, dy: 0, match: -1};
      for (let d = -200; d <= 200; d++) {
        for (const [dx, dy] of [[d, 0], [0, d]]) {
          const share = match(snaps[a], snaps[b], dx, dy);
          if (share > best.match) best = {dx, dy, match: share};
        }
      }
      return best;
    },
    differing(a, b) {
      let count = 0;
      for (let i = 0; i < snaps[a].length; i += 4) {
        if (rgb(snaps[a], i) !== rgb(snaps[b], i)) count++;
      }
      return count;
    },
    // The whole canvas as a hash, to tell two pictures apart pixel for pixel.
    hash() {
      const data = context.getImageData(0, 0, WIDTH, HEIGHT).data;
      let hash = 2166136261;
      for (let i = 0; i < data.length; i++) hash = Math.imul(hash ^ data[i], 16777619) >>> 0;
      return hash;
    },
  };
}

// The same hash of a picture as tools.hash() takes of the canvas, from the flip probe's pixels
// of the desktop's dummy screen (32 bits, blue in the lowest byte): red, green, blue, opaque.
function hashOfDesktopPicture(file) {
  const pixels = fs.readFileSync(file);
  let hash = 2166136261;
  for (let i = 0; i < pixels.length; i += 4) {
    for (const byte of [pixels[i + 2], pixels[i + 1], pixels[i], 255]) {
      hash = Math.imul(hash ^ byte, 16777619) >>> 0;
    }
  }
  return hash;
}

// Runs the desktop program with args on SDL's dummy drivers from its pictures' folder, the
// flip probe (tests/e2e/flip_probe.cpp, preloaded) keeping its last picture; with stopAfter,
// SIGTERM ends it once that many frames are drawn. Resolves to its exit status and its last
// picture's hash.
function runDesktopGame(program, flipProbe, args, stopAfter = 0) {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'tarnel-desktop-'));
  const last = path.join(work, 'last');
  const log = path.join(work, 'flips');
  const child = spawn(program, args, {cwd: path.dirname(program), stdio: 'ignore', env: {
    ...process.env, SDL_VIDEODRIVER: 'dummy', SDL_AUDIODRIVER: 'dummy', XDG_RUNTIME_DIR: work,
    LD_PRELOAD: flipProbe, TARNEL_FLIP_LAST: last, TARNEL_FLIP_LOG: log}});
  const drawn = () => fs.existsSync(log) ? fs.readFileSync(log, 'utf8').split('\n').length - 1 : 0;
  const watch = stopAfter && setInterval(() => {
    if (drawn() >= stopAfter) {
      clearInterval(watch); // one signal, as the end of a game
      child.kill('SIGTERM');
    }
  }, 10);
  return new Promise((resolve) => child.on('exit', (status) => {
    clearInterval(watch);
    const hash = fs.existsSync(last) ? hashOfDesktopPicture(last) : null;
    fs.rmSync(work, {recursive: true});
    resolve({status, hash});
  }));
}

// Runs a test: serves folder (and extra's files), starts a fresh browser, hands both to
// body(browser, address, network), closes them, and sets the exit status from the checks. An
// error thrown fails the test with its stack.
function runPageTest(folder, extra, body) {
  (async () => {
    const {server, address, network} = await serve(folder, extra);
    const launched = await launch();
    try {
      await body(launched.browser, address, network);
    } finally {
      await close(launched);
      server.close();
    }
    finish();
  })().catch((error) => {
    console.log(`FAILED: ${error.stack}`);
    process.exit(1);
  });
}

module.exports = {ENGINE, CAPTION, serve, launch, close, openPage, check, finish, sleep, waitForMessage,
  SETTLE, frames, changeAfter, installCanvasTools, runPageTest, runDesktopGame};
