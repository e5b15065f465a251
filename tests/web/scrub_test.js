// Seeking and scrubbing a ten-minute replay in the page (page.js), paused at once: from three
// seconds after it opens, the first seek and random ones land on their frames; a drag of the
// timeline shows 10 pictures or more as it moves, and once let go stays on its frame, pixel for
// pixel the desktop's picture of it. Prints how long the seeks held the page up and how many
// pictures a second the drag showed, which are figures, not checks.
// Usage: node scrub_test.js WEB_FOLDER PROGRAM FLIP_PROBE
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const {ENGINE, check, openPage, sleep, SETTLE, frames, installCanvasTools, runPageTest,
  runDesktopGame} = require('./page');

const [webFolder, program, flipProbe] = process.argv.slice(2);

const SEED = 11;
const TEN_MINUTES = 12000;  // frames
const RUN = 40;             // frames a direction is held
const OPENED_FOR = 3000;    // ms after the first picture before any seek is timed
const SEEKS = 30;
const SEEK_BUDGET = 100;    // ms a seek may hold the page up, printed beside the figures
const DRAG_MOVES = 40;      // mouse moves across the timeline
const DRAG_PACE = 50;       // ms between them: a two-second drag
const DRAG_OUT = 0.6;       // of the timeline's width, out and back
const DRAG_BACK = 0.06;     // where it is let go: the desktop replays that far at 20 frames a second
const LEAST_PICTURES = 10;  // different ones in a drag; wanted as many a second
const FINGER_PACE = 25;     // ms between a finger's moves
const FINGER_MOVES = 80;    // two seconds of them
const SEEK = 9;             // WatchCommand::SEEK
const POSITION = 0;         // tarnel_watch_state's fields
const LENGTH = 1;

// A recording of frameCount frames walking up, right, down, left and standing in turn, RUN
// frames each (docs/RECORDING.md): the first frames of a longer one are a recording too.
function walkRecording(frameCount) {
  const number = (value) => {
    const bytes = [];
    for (; value > 0x7f; value >>>= 7) bytes.push((value & 0x7f) | 0x80);
    return [...bytes, value];
  };
  const CODES = [1, 2, 3, 4, 0]; // the direction plus one; 0 stands
  const runs = [];
  for (let given = 0, i = 0; given < frameCount; given += RUN, i++) {
    runs.push(CODES[i % CODES.length], ...number(Math.min(RUN, frameCount - given)));
  }
  return Buffer.from([0x89, 0x54, 0x4e, 0x4c, 0x0d, 0x0a, 0x1a, 0x0a, 1, 3, 2, 20,
    ...number(SEED), ...number(frameCount), ...runs]);
}

// In the page: each frame's time, and while sampling, a light hash of every picture flipped
// (a pixel in 16 of it tells two frames' crowds apart).
function installTimers() {
  window.frameMs = [];
  const post = Module.postMainLoop;
  Module.postMainLoop = () => {
    window.frameMs.push(performance.now() - Module.timing.started);
    post();
  };
  window.pictures = null;
  // Hashed at the next browser frame, so that the frame's own time leaves the hash out.
  let flipped = false;
  const onFlip = Module.onFlip;
  Module.onFlip = () => {
    onFlip();
    flipped = true;
  };
  const context = Module.canvas.getContext('2d');
  const sample = () => {
    if (flipped && window.pictures) {
      const {width, height} = Module.canvas;
      const data = new Uint32Array(context.getImageData(0, 0, width, height).data.buffer);
      let hash = 2166136261;
      for (let i = 0; i < data.length; i += 16) hash = Math.imul(hash ^ data[i], 16777619) >>> 0;
      window.pictures.add(hash);
    }
    flipped = false;
    requestAnimationFrame(sample);
  };
  requestAnimationFrame(sample);
}

// The longest frame since the last call, ms.
async function longestFrame(page) {
  return page.evaluate(() => Math.max(0, ...window.frameMs.splice(0)));
}

// The picture the desktop shows at frame, replaying the recording's first frames to their end.
async function desktopPicture(frame) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'tarnel-scrub-'));
  const file = path.join(folder, 'first.tarnel');
  fs.writeFileSync(file, walkRecording(frame));
  const {hash} = await runDesktopGame(program, flipProbe, ['--window', '--replay', file, '--quit-at-end']);
  fs.rmSync(folder, {recursive: true});
  return hash;
}

runPageTest(webFolder, {'/walk.tarnel': walkRecording(TEN_MINUTES)}, async (browser, address) => {
  const errors = [];
  const page = await openPage(browser, errors);
  await page.goto(`${address}?replay=walk.tarnel`);
  await page.waitForFunction(() => Module.timing.flips > 0, {timeout: 15000});
  await page.click('aria/Pause[role="button"]');
  await page.evaluate(installCanvasTools);
  await page.evaluate(installTimers);
  await page.waitForFunction((wait) => performance.now() > Module.timing.firstFlip + wait,
    {timeout: 15000}, OPENED_FOR);
  await longestFrame(page);

  // The first seek, to the end, from the timeline's End key.
  await page.focus('#position');
  await page.keyboard.press('End');
  await page.waitForFunction((field, end) => Module._tarnel_watch_state(field) === end,
    {timeout: 15000}, POSITION, TEN_MINUTES).catch(() => {});
  const first = await longestFrame(page);
  const landed = await page.evaluate((field) => Module._tarnel_watch_state(field), POSITION);
  check(landed === TEN_MINUTES, 'the first seek, from the timeline\'s End, lands on the last frame', `${landed}`);
  console.log(`page first seek (${ENGINE}) = ${first.toFixed(0)} ms (budget ${SEEK_BUDGET} ms)`);

  // Random seeks, one a frame, as the timeline sends them.
  let worst = 0;
  let missed = 0;
  for (let i = 0; i < SEEKS; i++) {
    const target = 1 + (i * 4391 + 977) % TEN_MINUTES; // both ways, all over
    await page.evaluate((kind, frame) => Module._tarnel_watch(kind, frame), SEEK, target);
    await frames(page, SETTLE);
    if (await page.evaluate((field) => Module._tarnel_watch_state(field), POSITION) !== target) missed++;
    worst = Math.max(worst, await longestFrame(page));
  }
  check(missed === 0, `${SEEKS} random seeks, one a frame, each land on their frame`, `${missed} missed`);
  console.log(`page seek worst (${ENGINE}) = ${worst.toFixed(0)} ms (of ${SEEKS}; budget ${SEEK_BUDGET} ms)`);

  // A drag with the mouse from the timeline's left end out and back, sampled at every browser
  // frame. Each engine's driver moves the mouse at its own pace (firefox-esr's, over WebDriver
  // BiDi, a few times a second), so the pace of pictures is timed below.
  const box = await (await page.$('aria/Position[role="slider"]')).boundingBox();
  const y = box.y + box.height / 2;
  const xAt = (share) => box.x + 2 + (box.width - 4) * share;
  await page.mouse.move(xAt(0), y);
  await page.mouse.down();
  await longestFrame(page);
  await page.evaluate(() => { window.pictures = new Set(); });
  for (let move = 1; move <= DRAG_MOVES; move++) {
    const out = Math.min(1, 2 * move / DRAG_MOVES);
    const back = Math.max(0, 2 * move / DRAG_MOVES - 1);
    await page.mouse.move(xAt(DRAG_OUT * out - (DRAG_OUT - DRAG_BACK) * back), y);
    await sleep(DRAG_PACE);
  }
  const dragged = await page.evaluate(() => { const count = window.pictures.size; window.pictures = null; return count; });
  await page.mouse.up();
  const dragWorst = await longestFrame(page);
  check(dragged >= LEAST_PICTURES, `a drag of the timeline with the mouse shows ${LEAST_PICTURES} pictures or more as it moves`,
    `${dragged} pictures in ${DRAG_MOVES} moves`);
  // Let go, it stays on the frame under the thumb, the very picture the desktop shows there.
  await frames(page, 2 * SETTLE);
  const [frame, value, length] = await page.evaluate((position, whole) => [Module._tarnel_watch_state(position),
    Number(document.getElementById('position').value), Module._tarnel_watch_state(whole)], POSITION, LENGTH);
  await frames(page, 2 * SETTLE);
  const still = await page.evaluate((position) => Module._tarnel_watch_state(position), POSITION);
  const hash = await page.evaluate(() => tools.hash());
  const desktop = await desktopPicture(frame);
  check(frame === value && still === frame && frame > 1 && frame < length && hash === desktop,
    'let go, the timeline stays on its frame, the desktop\'s picture of it pixel for pixel',
    `frame ${frame}, timeline ${value}, then ${still}; ${hash} / ${desktop}`);

  // The timeline moved as a finger moves it, a new place every FINGER_PACE ms, as the browser
  // moves it in a drag: its value set and an input event, the page's one way in.
  const paced = await page.evaluate((pace, moves, length) => new Promise((resolve) => {
    const timeline = document.getElementById('position');
    window.pictures = new Set();
    const started = performance.now();
    let move = 0;
    const timer = setInterval(() => {
      timeline.value = Math.round(length * 0.2 + length * 0.6 * ++move / moves);
      timeline.dispatchEvent(new Event('input', {bubbles: true}));
      if (move === moves) {
        clearInterval(timer);
        resolve({seen: window.pictures.size, seconds: (performance.now() - started) / 1000});
        window.pictures = null;
      }
    }, pace);
  }), FINGER_PACE, FINGER_MOVES, TEN_MINUTES);
  const pacedWorst = await longestFrame(page);
  const rate = paced.seen / paced.seconds;
  check(paced.seen >= LEAST_PICTURES, `moved at a finger's pace, the timeline shows ${LEAST_PICTURES} pictures or more`,
    `${paced.seen} pictures`);
  console.log(`page scrub (${ENGINE}) = ${rate.toFixed(1)} pictures a second at a finger's pace (at least ` +
    `${LEAST_PICTURES} wanted), the longest frame while dragging ${Math.max(dragWorst, pacedWorst).toFixed(0)} ms`);
  check(errors.length === 0, 'no console or page errors', errors.join('\n'));
  await page.close();
});
