// The page around the game in headless chromium or firefox-esr (page.js): the canvas's size in
// windows large and small, the full screen that Escape leaves without ending the game, a
// gamepad, touch controls, recordings saved and watched, the desktop's in the page and the
// page's on the desktop, a game passed on as a link and watched with the replay's controls, the
// page installable (its manifest and icons), and the page played again with no network.
// Usage: node shell_test.js WEB_FOLDER PROGRAM FLIP_PROBE
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const {ENGINE, openPage, check, sleep, waitForMessage, frames, SETTLE, changeAfter,
  installCanvasTools, runPageTest, runDesktopGame} = require('./page');

const [webFolder, program, flipProbe] = process.argv.slice(2);
const SEED = 7;
const ESCAPE_HOLD = 200; // ms: Escape is read as held, once a frame
const PHONE = {isMobile: true, hasTouch: true};
const WALK = 40;         // frames a direction is held first: two seconds
const TURN = 20;         // frames the second direction is held: too few to meet the crowd
const LEAST_WALK = 60;   // pixels the view must move in either, of 160 or 80 unhindered
const START = 9;         // the standard pad's buttons
const DPAD_RIGHT = 15;
const STICK_X = 0;       // the left stick's axis
const TOUCH_CONTROLS = ['Up', 'Right', 'Down', 'Left', 'Pause'].map((name) => [name, 'button']);
const WATCH_CONTROLS = [ // a replay's, under the canvas while it plays
  ['Pause', 'button'],
  ['Back 5 seconds', 'button'],
  ['Forward 5 seconds', 'button'],
  ['Slower', 'button'],
  ['Faster', 'button'],
  ['Position', 'slider'],
];
// A touch screen is emulated through CDP (a coarse pointer, touch events), which firefox-esr
// does not speak: there a phone's windows are checked for the canvas's fit alone.
const TOUCH_EMULATED = ENGINE === 'chromium';
const LEAST_TARGET = 48; // CSS pixels a touch target spans at least
const MAGIC = [0x89, 0x54, 0x4e, 0x4c]; // the first bytes of a recording: 0x89 'T' 'N' 'L'
const HEADER = 12;       // bytes of a recording before its seed
const DESKTOP_FRAMES = 30; // a desktop game recorded until SIGTERM ends it
const LONG_FRAMES = 13000; // frames of two bytes each: 35 KB of link, past the 32 KB a link may take

const WINDOWS = [
  {name: 'a large window', viewport: {width: 1920, height: 1080}, leastScale: 2, then: checkFullScreen},
  {name: 'a phone upright', viewport: {width: 390, height: 844, ...PHONE}, then: checkTouch},
  {name: 'a phone on its side', viewport: {width: 844, height: 390, isLandscape: true, ...PHONE},
    then: checkTouch},
];

// Opens the page at viewport, after prepare(page), and waits for its first frames.
async function play(browser, address, errors, viewport = null, prepare = async () => {}) {
  const page = await openPage(browser, errors);
  if (viewport) await page.setViewport(viewport);
  await prepare(page);
  await page.goto(`${address}?seed=${SEED}`);
  await page.waitForFunction(() => Module.timing.flips > 0, {timeout: 15000});
  return page;
}

// Where the canvas is shown and the room its stage gives it, in CSS pixels.
function layout(page) {
  return page.evaluate(() => {
    const canvas = Module.canvas.getBoundingClientRect();
    const stage = document.getElementById('stage');
    const scroller = document.scrollingElement;
    return {
      canvas: {x: canvas.x, y: canvas.y, width: canvas.width, height: canvas.height},
      room: {width: stage.clientWidth, height: stage.clientHeight},
      window: {width: innerWidth, height: innerHeight},
      scrolls: scroller.scrollWidth > innerWidth || scroller.scrollHeight > innerHeight,
      rendering: getComputedStyle(Module.canvas).imageRendering,
    };
  });
}

// Whether the canvas is as large as its room allows: a whole multiple of 640 x 480 whose next
// one would not fit, or where none fits, 4:3 and filling the room's width or height.
function fitsLargest({canvas, room}) {
  const scale = canvas.width / 640;
  const fits = canvas.width <= room.width && canvas.height <= room.height;
  if (scale >= 1) {
    return fits && Number.isInteger(scale) && canvas.height === 480 * scale &&
      (640 * (scale + 1) > room.width || 480 * (scale + 1) > room.height);
  }
  const fourThree = Math.abs(canvas.height * 4 - canvas.width * 3) < 4;
  return fits && fourThree && (room.width - canvas.width < 1 || room.height - canvas.height < 1);
}

async function checkWindows(browser, address, errors) {
  for (const {name, viewport, leastScale = 0, then} of WINDOWS) {
    const page = await play(browser, address, errors, viewport);
    const seen = await layout(page);
    const size = `${seen.canvas.width} x ${seen.canvas.height} in ${seen.room.width} x ${seen.room.height}`;
    check(fitsLargest(seen) && seen.canvas.width >= 640 * leastScale,
      `${name}: the canvas as large as fits, a whole multiple of 640 x 480 where one fits, else 4:3`, size);
    check(seen.window.width === viewport.width && !seen.scrolls,
      `${name}: the page is laid out at the window's width and fits it without scrolling`,
      JSON.stringify(seen.window));
    check(seen.rendering === 'pixelated', `${name}: drawn with crisp pixels`, seen.rendering);
    if (viewport.hasTouch && !TOUCH_EMULATED) {
      await page.close();
      continue;
    }
    const controls = await controlBoxes(page, TOUCH_CONTROLS);
    const shown = controls.filter((box) => box !== null).length;
    check(shown === (viewport.hasTouch ? TOUCH_CONTROLS.length : 0),
      `${name}: ${viewport.hasTouch ? 'the touch controls show' : 'no touch controls'}`, `${shown} shown`);
    // (the touch controls' Pause shares its name with the replay's)
    const replaying = await controlBoxes(page, WATCH_CONTROLS.filter(([control]) => control !== 'Pause'));
    const replayShown = replaying.filter((box) => box !== null).length;
    check(replayShown === 0, `${name}: no replay controls while a game plays`, `${replayShown} shown`);
    if (then) await then(page, seen, controls);
    await page.close();
  }
}

// The boxes of controls ([name, role] pairs), found by their accessible names, in their order;
// null for one not shown.
async function controlBoxes(page, controls) {
  const boxes = [];
  for (const [name, role] of controls) {
    const control = await page.$(`aria/${name}[role="${role}"]`);
    boxes.push(control && await control.boundingBox());
  }
  return boxes;
}

const centre = (box) => [box.x + box.width / 2, box.y + box.height / 2];
const overlap = (a, b) => a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;

// Whether every box is in the window, a touch target's size or more, and off the canvas.
function placedForTouch(boxes, {canvas, window}) {
  return boxes.every((box) => box !== null && box.width >= LEAST_TARGET && box.height >= LEAST_TARGET &&
    box.x >= 0 && box.y >= 0 && box.x + box.width <= window.width && box.y + box.height <= window.height &&
    !overlap(box, canvas));
}

// On a phone: the controls in the window, large enough and off the canvas; a finger held on
// Right walks, slid to Down and then up to Up turns the walk, lifted stops it; Pause pauses;
// the page, though made taller than the window, neither scrolls nor zooms under a finger on
// them or on the canvas.
async function checkTouch(page, seen, boxes) {
  const [up, right, down, , pause] = boxes;
  const {canvas} = seen;
  check(placedForTouch(boxes, seen), `touch: the controls are in the window, ${LEAST_TARGET} pixels or more, off the canvas`,
    JSON.stringify(boxes));

  await page.evaluate(() => { document.documentElement.style.height = '200vh'; });
  await page.evaluate(installCanvasTools);
  await page.evaluate(() => tools.snap('start'));
  await page.touchscreen.touchStart(...centre(right));
  await frames(page, WALK);
  await page.evaluate(() => tools.snap('turned'));
  await page.touchscreen.touchMove(...centre(down));
  await frames(page, TURN);
  await page.evaluate(() => tools.snap('back'));
  await page.touchscreen.touchMove(...centre(up)); // a finger going up would scroll the page down
  await frames(page, TURN);
  await page.touchscreen.touchEnd();
  await frames(page, SETTLE);
  await page.evaluate(() => tools.snap('lifted'));
  await frames(page, 20);
  await page.evaluate(() => tools.snap('later'));
  const [walked, turned, back, drift] = await page.evaluate(() => [tools.shift('start', 'turned'),
    tools.shift('turned', 'back'), tools.shift('back', 'lifted'), tools.shift('lifted', 'later')]);
  check(walked.dx >= LEAST_WALK, 'touch: a finger held on Right walks the view right', JSON.stringify(walked));
  check(turned.dy >= LEAST_WALK && back.dy <= -LEAST_WALK, 'touch: slid to Down, then Up, it walks down, then up',
    `${JSON.stringify(turned)}, ${JSON.stringify(back)}`);
  check(drift.dx === 0 && drift.dy === 0, 'touch: the view stops when the finger is lifted', JSON.stringify(drift));

  const tapPause = () => page.touchscreen.tap(...centre(pause));
  const paused = await changeAfter(page, tapPause);
  check(paused === 0, 'touch: Pause pauses', `${paused} pixels changed`);
  const resumed = await changeAfter(page, tapPause);
  check(resumed > 0, 'touch: Pause again resumes', `${resumed} pixels changed`);
  const [x, y] = centre(canvas); // a finger swept up the canvas would scroll the page down too
  await page.touchscreen.touchStart(x, y);
  await page.touchscreen.touchMove(x, y - canvas.height / 3);
  await page.touchscreen.touchEnd();
  const still = await page.evaluate(() => [scrollX, scrollY, visualViewport.scale]);
  check(still.join() === '0,0,1', 'touch: the page neither scrolls nor zooms', still.join());
}

// The full-screen button shows the canvas alone on black; Escape leaves the full screen and
// the game plays on; Escape again ends it.
async function checkFullScreen(page) {
  await (await page.$('aria/Full screen[role="button"]')).click();
  await page.waitForFunction(() => document.fullscreenElement !== null, {timeout: 5000});
  const full = await page.evaluate(() => {
    const shown = document.fullscreenElement;
    const box = shown.getBoundingClientRect();
    return {
      alone: shown.children.length === 1 && shown.firstElementChild === Module.canvas,
      fills: box.width === innerWidth && box.height === innerHeight,
      black: getComputedStyle(shown).backgroundColor === 'rgb(0, 0, 0)',
    };
  });
  const seen = await layout(page);
  check(full.alone && full.fills && full.black && fitsLargest(seen),
    'the full screen shows the canvas alone on black, a whole multiple as large as fits',
    `${JSON.stringify(full)}, ${seen.canvas.width} x ${seen.canvas.height}`);

  await page.keyboard.press('Escape');
  await page.waitForFunction(() => document.fullscreenElement === null, {timeout: 5000});
  const playing = await frames(page, 5, 5000).then(() => true, () => false);
  const after = await page.$eval('#message', (line) => line.textContent);
  check(playing && !/over/.test(after), 'Escape leaves the full screen and the game plays on', after);

  const ended = await endGame(page);
  check(ended === 'The game is over.', 'Escape again ends the game', ended);
}

// Holds Escape until the game reads it; returns what the page then says.
async function endGame(page) {
  await page.keyboard.down('Escape');
  await sleep(ESCAPE_HOLD);
  await page.keyboard.up('Escape');
  return waitForMessage(page, /over/);
}

// In the page, before it loads: a standard pad in the browser's second slot, the first empty,
// as Chromium may list them. It is connected when the test says, and its right stick never
// rests, as a worn one does: its moves must not crowd the keys out of SDL's queue.
function stubGamepads() {
  let pad = null;
  let wobble = 0;
  Object.defineProperty(Navigator.prototype, 'getGamepads', {configurable: true, value: () => {
    if (pad) {
      pad.axes[3] = (wobble++ % 2) / 100;
      pad.timestamp = performance.now();
    }
    return [null, pad, null, null];
  }});
  window.connectPad = () => {
    const buttons = Array.from({length: 17}, () => ({pressed: false, touched: false, value: 0}));
    pad = {id: 'Test pad (STANDARD GAMEPAD)', index: 1, connected: true, mapping: 'standard',
      timestamp: 0, axes: [0, 0, 0, 0], buttons};
  };
  window.setPad = ({button, axis, value}) => {
    if (button !== undefined) pad.buttons[button] = {pressed: value > 0, touched: value > 0, value};
    else pad.axes[axis] = value;
  };
}

// Holds a direction for count frames, and returns how far the view moved while it was held
// and in the 20 frames after its release.
async function walk(page, count, hold, release) {
  await page.evaluate(() => tools.snap('start'));
  await hold();
  await frames(page, count);
  await release();
  await frames(page, SETTLE);
  await page.evaluate(() => tools.snap('released'));
  await frames(page, 20);
  await page.evaluate(() => tools.snap('later'));
  return page.evaluate(() => [tools.shift('start', 'released'), tools.shift('released', 'later')]);
}

// A pad connected once the game plays walks the player with its D-pad and its left stick, and
// pauses and resumes with Start; Return still pauses at once.
async function checkPad(browser, address, errors) {
  const page = await play(browser, address, errors, null, (p) => p.evaluateOnNewDocument(stubGamepads));
  await page.evaluate(installCanvasTools);
  await page.evaluate(() => connectPad());
  const setPad = (change) => page.evaluate((c) => setPad(c), change);
  const moves = [
    {name: "the D-pad's right", change: {button: DPAD_RIGHT}, value: 1, count: WALK},
    {name: 'the left stick pushed left', change: {axis: STICK_X}, value: -1, count: TURN},
  ];
  for (const {name, change, value, count} of moves) {
    const [moved, drift] = await walk(page, count, () => setPad({...change, value}),
      () => setPad({...change, value: 0}));
    check(moved.dx * value >= LEAST_WALK, `a pad: ${name} held walks the view`, JSON.stringify(moved));
    check(drift.dx === 0 && drift.dy === 0, `a pad: the view stops when ${name} is let go`, JSON.stringify(drift));
  }
  const pressStart = async () => {
    await setPad({button: START, value: 1});
    await frames(page, SETTLE);
    await setPad({button: START, value: 0});
  };
  const paused = await changeAfter(page, pressStart);
  check(paused === 0, 'a pad: Start pauses', `${paused} pixels changed`);
  const resumed = await changeAfter(page, pressStart);
  check(resumed > 0, 'a pad: Start again resumes', `${resumed} pixels changed`);
  const byKey = await changeAfter(page, () => page.keyboard.press('Enter'));
  check(byKey === 0, 'a pad: Return pauses at once while a stick wobbles', `${byKey} pixels changed`);
  await page.close();
}

// Plays a short game (a walk, a pause) and ends it; returns the final canvas's hash and the
// recording the page offers.
async function playRecorded(browser, address, errors) {
  const page = await play(browser, address, errors);
  await page.keyboard.down('ArrowRight');
  await frames(page, 10);
  await page.keyboard.up('ArrowRight');
  for (let i = 0; i < 2; i++) {
    await page.keyboard.press('Enter');
    await frames(page, 5);
  }
  await endGame(page);
  await page.evaluate(installCanvasTools);
  const finalHash = await page.evaluate(() => tools.hash());
  const save = await page.$('aria/Save this game');
  const offered = save && await save.evaluate(async (link) => ({name: link.download,
    bytes: Array.from(new Uint8Array(await (await fetch(link.href)).arrayBuffer()))}));
  return {page, finalHash, offered};
}

// The desktop program with args, its last picture kept by the flip probe (page.js).
function desktopGame(args, stopAfter = 0) {
  return runDesktopGame(program, flipProbe, args, stopAfter);
}

// Opens address, a replay, and waits for its end: what the page says then, and the canvas's hash.
async function replayEnd(page, address) {
  await page.goto(address);
  const said = await waitForMessage(page, /ended/, 30000);
  await page.evaluate(installCanvasTools);
  return {said, hash: await page.evaluate(() => tools.hash())};
}

// The game the page recorded is offered as a file and as a link; watched through the picker or
// from an address, it ends on the canvas the game ended on; a damaged one dropped on the page
// gets the program's own message.
async function checkRecordings(browser, address, errors, served) {
  const {page, finalHash, offered} = await playRecorded(browser, address, errors);
  const bytes = offered ? offered.bytes : [];
  check(offered && offered.name === `tarnel-seed-${SEED}.tarnel` && MAGIC.every((byte, i) => bytes[i] === byte),
    'a game ended offers "Save this game": a recording named with its seed',
    offered && `${offered.name}, ${bytes.slice(0, 4)}`);
  served['/recorded.tarnel'] = Buffer.from(bytes);
  // Granting the clipboard is CDP's (see the end of the test).
  const link = ENGINE === 'chromium' ? await copyLink(page, address, bytes) : null;
  let desktopHash = null;

  const ways = [
    {how: 'picked with "Watch a recording"', start: async () => {
      const [chooser] = await Promise.all([page.waitForFileChooser(),
        page.click('aria/Watch a recording[role="button"]')]);
      const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'tarnel-web-'));
      fs.writeFileSync(path.join(folder, 'recorded.tarnel'), Buffer.from(bytes));
      await Promise.all([page.waitForNavigation(), chooser.accept([path.join(folder, 'recorded.tarnel')])]);
      fs.rmSync(folder, {recursive: true});
    }},
    {how: 'at ?replay=URL', start: () => page.goto(`${address}?replay=recorded.tarnel`)},
    {how: 'replayed on the desktop', desktop: true},
    {how: 'dropped on the page, cut short', damaged: true, start: () => Promise.all([page.waitForNavigation(),
      page.evaluate((cut) => {
        const transfer = new DataTransfer();
        transfer.items.add(new File([new Uint8Array(cut)], 'cut.tarnel'));
        document.body.dispatchEvent(new DragEvent('drop', {dataTransfer: transfer, bubbles: true}));
      }, bytes.slice(0, HEADER))])},
  ];
  for (const {how, damaged, desktop, start} of ways) {
    if (desktop) {
      const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'tarnel-web-')), 'recorded.tarnel');
      fs.writeFileSync(file, Buffer.from(bytes));
      const replayed = await desktopGame(['--window', '--replay', file, '--quit-at-end']);
      fs.rmSync(path.dirname(file), {recursive: true});
      desktopHash = replayed.hash;
      check(replayed.status === 0 && replayed.hash === finalHash,
        `a recording ${how}: to the game's last picture, pixel for pixel`,
        `status ${replayed.status}, ${replayed.hash} / ${finalHash}`);
      continue;
    }
    await start();
    if (damaged) {
      const said = await waitForMessage(page, /tarnel:/);
      check(said === 'tarnel: cannot replay cut.tarnel: it ends at byte 12, in its seed',
        `a recording ${how}: the program's message on the page`, said);
      continue;
    }
    const said = await waitForMessage(page, /ended/, 30000);
    await page.evaluate(installCanvasTools);
    const hash = await page.evaluate(() => tools.hash());
    check(said === 'The replay has ended.' && hash === finalHash,
      `a recording ${how}: replayed to the game's last picture, pixel for pixel`, `${said} ${hash} / ${finalHash}`);
  }

  // A game recorded on the desktop, ended by SIGTERM, replays in the page to its last picture.
  const desktopFolder = fs.mkdtempSync(path.join(os.tmpdir(), 'tarnel-web-'));
  const desktopFile = path.join(desktopFolder, 'desktop.tarnel');
  const recorded = await desktopGame(['--window', '--seed', String(SEED + 1), '--record', desktopFile],
    DESKTOP_FRAMES);
  served['/desktop.tarnel'] = fs.readFileSync(desktopFile);
  fs.rmSync(desktopFolder, {recursive: true});
  const {said, hash} = await replayEnd(page, `${address}?replay=desktop.tarnel`);
  check(recorded.status === 0 && said === 'The replay has ended.' && hash === recorded.hash,
    'a game recorded on the desktop replays in the page to its last picture, pixel for pixel',
    `status ${recorded.status}, ${said} ${hash} / ${recorded.hash}`);
  await page.close();
  return {link, desktopHash, recordedHash: recorded.hash};
}

// "Copy link" on a page whose game is over: with the clipboard granted, it holds this page's
// address with the recording's bytes in base64url; refused, the link is shown, selected.
// Returns the link.
async function copyLink(page, address, bytes) {
  const link = `${address}#replay=${Buffer.from(bytes).toString('base64url')}`;
  await page.browserContext().overridePermissions(new URL(address).origin,
    ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
  await page.click('aria/Copy link[role="button"]');
  const said = await page.waitForFunction(() => document.querySelector('[role="status"]')?.textContent)
    .then((handle) => handle.jsonValue());
  const copied = await page.evaluate(() => navigator.clipboard.readText());
  check(copied === link && /copied/.test(said),
    'a game ended: "Copy link" puts the recording in base64url after the address\'s #replay=',
    `${said} ${copied.slice(0, 60)}…`);

  await page.evaluate(() => {
    navigator.clipboard.writeText = () => Promise.reject(new DOMException('refused', 'NotAllowedError'));
  });
  await page.click('aria/Copy link[role="button"]');
  const field = await page.waitForSelector('aria/Link to this game[role="textbox"]', {timeout: 5000})
    .catch(() => null);
  const shown = field && await field.evaluate((input) => ({value: input.value, focused: document.activeElement === input,
    selected: input.selectionStart === 0 && input.selectionEnd === input.value.length}));
  check(shown && shown.value === link && shown.focused && shown.selected,
    '"Copy link" with the clipboard refused: the link shown, selected, for copying by hand',
    JSON.stringify(shown && {...shown, value: shown.value.slice(0, 60)}));
  return link;
}

// The state of a replay's controls, found by their accessible names: the timeline's value, end
// and value text, the time, and the name of the button that pauses or plays.
async function watchShown(page) {
  const timeline = await page.$('aria/Position[role="slider"]');
  const time = await page.$('aria/Time[role="timer"]');
  const playing = await page.$('aria/Pause[role="button"]');
  if (!timeline || !time) return null;
  return {
    ...await timeline.evaluate((input) => ({value: Number(input.value), end: Number(input.max),
      text: input.getAttribute('aria-valuetext')})),
    time: await time.evaluate((span) => span.textContent),
    button: playing ? 'Pause' : 'Play',
  };
}

// Waits until the replay stands at frame (its last, when 'end'), as the program says, and the
// controls have followed; returns whether it got there, their state and the canvas's hash.
async function landOn(page, frame) {
  const landed = await page.waitForFunction((wanted) => Module._tarnel_watch_state(0) ===
    (wanted === 'end' ? Module._tarnel_watch_state(1) : wanted), {timeout: 15000}, frame)
    .then(() => true, () => false);
  await frames(page, SETTLE);
  await page.evaluate(installCanvasTools);
  return {landed, shown: await watchShown(page), hash: await page.evaluate(() => tools.hash())};
}

// Drags the timeline with the mouse, or a finger on a phone, from its left end to past its
// right, or the other way.
async function dragTimeline(page, toEnd, finger = false) {
  const box = await (await page.$('aria/Position[role="slider"]')).boundingBox();
  const y = box.y + box.height / 2;
  const [from, to] = toEnd ? [box.x + 2, box.x + box.width + 20] : [box.x + box.width - 2, box.x - 20];
  if (finger) {
    await page.touchscreen.touchStart(from, y);
    for (let step = 1; step <= 10; step++) await page.touchscreen.touchMove(from + (to - from) * step / 10, y);
    await page.touchscreen.touchEnd();
    return;
  }
  await page.mouse.move(from, y);
  await page.mouse.down();
  await page.mouse.move(to, y, {steps: 10});
  await page.mouse.up();
}

const CLOCK = /^(\d+:\d\d) \/ (\d+:\d\d) · 1×$/; // the time at the normal speed

// The link opened in a fresh tab replays the game to the desktop's last picture, its controls
// found by their names; stepped back a frame from there (which pauses it), the timeline dragged
// with the mouse to the end shows that picture again; Home on the timeline goes back to the
// first frame, an arrow on it moves it a frame without reaching the game, and played on from
// there the replay ends on that picture again. A link cut short or garbled, opened by changing
// the fragment alone, gets the program's message and the offer of a game of the page's own.
async function checkLink(browser, link, desktopHash, errors) {
  const page = await openPage(browser, errors);
  const {said, hash} = await replayEnd(page, link);
  check(said === 'The replay has ended.' && hash === desktopHash,
    'a game\'s link opened in a fresh tab ends on the desktop\'s last picture of its replay, pixel for pixel',
    `${said} ${hash} / ${desktopHash}`);
  // Held at its end, the replay plays again from the start with Play.
  const boxes = await controlBoxes(page, WATCH_CONTROLS.map(([name, role]) => [name === 'Pause' ? 'Play' : name, role]));
  const end = await watchShown(page);
  const length = end && CLOCK.test(end.time) && end.time.match(CLOCK)[2];
  check(boxes.every((box) => box !== null) && length && end.value === end.end && end.text === `${length} of ${length}`,
    'a replay: its controls found by their names, at the end "m:ss of m:ss" and "m:ss / m:ss · 1×"',
    JSON.stringify(end));

  await page.focus('#canvas');
  await page.keyboard.press('ArrowLeft');
  const before = await landOn(page, end.end - 1);
  await dragTimeline(page, true);
  const dragged = await landOn(page, 'end');
  check(before.landed && before.hash !== desktopHash && dragged.landed && dragged.hash === desktopHash,
    'the timeline: dragged with the mouse to the end, the last picture again', `${dragged.hash} / ${desktopHash}`);
  const timeline = await page.$('aria/Position[role="slider"]');
  await timeline.focus();
  await page.keyboard.press('Home');
  const start = await landOn(page, 1);
  await page.keyboard.press('ArrowUp'); // the game would read Up as faster
  const next = await landOn(page, 2);
  check(start.landed && start.shown.text.startsWith('0:00 of') && CLOCK.test(start.shown.time) &&
    start.hash !== dragged.hash && next.landed && next.shown.value === 2 && CLOCK.test(next.shown.time),
    'the timeline: Home goes back to the first frame, an arrow on it one frame on, not to the game',
    `${JSON.stringify(start.shown)}, ${JSON.stringify(next.shown)}`);
  await page.click('aria/Play[role="button"]');
  const played = await waitForMessage(page, /ended/, 30000);
  const replayed = await page.evaluate(() => tools.hash());
  check(played === 'The replay has ended.' && replayed === desktopHash,
    'the timeline: played on from the start, the replay ends on the same picture', `${replayed} / ${desktopHash}`);

  const text = link.split('#replay=')[1];
  const damages = [
    {how: 'cut short', fragment: text.slice(0, 16), // 12 bytes: to the seed
      message: 'tarnel: cannot replay the linked game: it ends at byte 12, in its seed'},
    {how: 'garbled', fragment: `${text.slice(0, 8)}.${text.slice(9)}`,
      message: 'tarnel: cannot replay the linked game: not a Tarnel recording (it does not start with the magic word)'},
  ];
  for (const {how, fragment, message} of damages) {
    await Promise.all([page.waitForNavigation(), page.evaluate((f) => { location.hash = `#replay=${f}`; }, fragment)]);
    const refused = await waitForMessage(page, /tarnel:/);
    const another = await page.$('aria/Play a game[role="button"]');
    const controls = await page.$('aria/Position[role="slider"]');
    check(refused === message && another && !controls,
      `a link ${how}: the program's message, the offer of a game of the page's own, no replay controls`, refused);
  }
  await page.close();
}

// A recording whose frames step right and left in turn, two bytes a frame (docs/RECORDING.md).
function zigzagRecording(frameCount) {
  const number = (value) => {
    const bytes = [];
    for (; value > 0x7f; value >>>= 7) bytes.push((value & 0x7f) | 0x80);
    return [...bytes, value];
  };
  const RIGHT = 2;
  const LEFT = 4;
  const runs = Array.from({length: frameCount}, (_, i) => [i % 2 ? LEFT : RIGHT, 1]).flat();
  return Buffer.from([...MAGIC, 0x0d, 0x0a, 0x1a, 0x0a, 1, 3, 2, 20, ...number(SEED), ...number(frameCount), ...runs]);
}

// A replay of a recording too long for a link (ten minutes of steps right and left), on a phone
// upright and on its side: its controls are touch targets in the window, off the canvas, in
// place of the touch controls, the canvas as large as fits; a finger drags the timeline to the
// end; "Copy link" says the game is too long for a link and offers the file.
async function checkLongReplayOnPhones(browser, address, errors, served) {
  served['/long.tarnel'] = zigzagRecording(LONG_FRAMES);
  for (const {name, viewport} of WINDOWS.filter((window) => window.viewport.hasTouch)) {
    const page = await openPage(browser, errors);
    await page.setViewport(viewport);
    await page.goto(`${address}?replay=long.tarnel`);
    await page.waitForFunction(() => Module.timing.flips > 0, {timeout: 15000});
    const seen = await layout(page);
    const boxes = await controlBoxes(page, WATCH_CONTROLS);
    const dpad = await controlBoxes(page, TOUCH_CONTROLS.slice(0, 4));
    check(placedForTouch(boxes, seen) && fitsLargest(seen) && !seen.scrolls && dpad.every((box) => box === null),
      `${name}, replaying: its controls in the window, ${LEAST_TARGET} pixels or more, off a canvas as large as fits`,
      JSON.stringify({canvas: seen.canvas, boxes}));
    await dragTimeline(page, true, true);
    const {landed, shown} = await landOn(page, 'end');
    check(landed && shown.value === LONG_FRAMES && shown.end === LONG_FRAMES, `${name}: a finger drags the timeline to the end`,
      JSON.stringify(shown));

    await page.click('aria/Copy link[role="button"]');
    const said = await page.waitForFunction(() => document.querySelector('[role="status"]')?.textContent)
      .then((handle) => handle.jsonValue());
    const save = await page.$('aria/Save this game');
    const file = save && await save.evaluate((link) => link.download);
    check(/too long for a link/.test(said) && file === 'long.tarnel',
      `${name}: a replay of ${LONG_FRAMES} frames in ${served['/long.tarnel'].length} bytes is too long for a link, offered as a file`,
      `${said} ${file}`);
    await page.close();
  }
}

// In the page: the manifest it links, its colours as the page's style gives them, and each
// icon, the manifest's and iOS's, read: its size, whether every pixel is opaque, and how many
// of the pixels unlike its corner's lie outside the circle of the middle 80 %, which is all a
// launcher that cuts icons to its own shape promises to show.
async function readManifest() {
  const link = document.querySelector('link[rel="manifest"]');
  const manifest = await (await fetch(link.href)).json();
  const styled = (colour) => {
    const probe = document.body.appendChild(document.createElement('i'));
    probe.style.color = colour;
    const computed = getComputedStyle(probe).color;
    probe.remove();
    return computed;
  };
  const appleIcon = document.querySelector('link[rel="apple-touch-icon"]').href;
  const icons = [];
  for (const icon of [...manifest.icons, {src: appleIcon, sizes: '180x180', purpose: 'ios'}]) {
    const image = new Image();
    image.src = new URL(icon.src, link.href);
    await image.decode();
    const canvas = document.createElement('canvas');
    canvas.width = image.naturalWidth;
    canvas.height = image.naturalHeight;
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0);
    const data = context.getImageData(0, 0, canvas.width, canvas.height).data;
    const centre = canvas.width / 2;
    let opaque = true;
    let figure = 0;
    let outside = 0;
    for (let i = 0; i < data.length; i += 4) {
      if (data[i + 3] !== 255) opaque = false;
      if (data[i] === data[0] && data[i + 1] === data[1] && data[i + 2] === data[2]) continue;
      figure++;
      const x = (i / 4) % canvas.width + 0.5 - centre;
      const y = Math.floor(i / 4 / canvas.width) + 0.5 - centre;
      if (Math.hypot(x, y) > 0.4 * canvas.width) outside++;
    }
    icons.push({purpose: icon.purpose || 'any', sizes: icon.sizes,
      size: `${image.naturalWidth}x${image.naturalHeight}`, opaque, figure, outside});
  }
  return {manifest, icons, start: new URL(manifest.start_url, link.href).href,
    page: getComputedStyle(document.body).backgroundColor,
    colours: [manifest.background_color, manifest.theme_color,
      document.querySelector('meta[name="theme-color"]').content].map(styled)};
}

// The page can be installed: its manifest names it, starts at it, shows it without the
// browser's bars, in the page's colours, with icons of 192 and 512 pixels as it says, the
// filled ones (a launcher's and iOS's) opaque with the figure whole within their circle; and
// chromium finds nothing that keeps it from installing the page. Page.getInstallabilityErrors
// is chromium's alone, a CDP command.
async function checkInstallable(browser, address, errors) {
  const page = await play(browser, address, errors);
  const {manifest, icons, start, page: background, colours} = await page.evaluate(readManifest);
  check(manifest.name === 'Tarnel' && manifest.short_name === 'Tarnel' && start === `${address}index.html` &&
    ['standalone', 'fullscreen'].includes(manifest.display),
  'installable: the manifest names the page, starts at it and shows it without the browser\'s bars',
  `${manifest.name}, ${manifest.short_name}, ${start}, ${manifest.display}`);
  check(colours.every((colour) => colour === background), 'installable: its colours are the page\'s',
    `${colours.join(', ')} / ${background}`);
  const sized = icons.every((icon) => icon.size === icon.sizes) &&
    ['192x192', '512x512'].every((size) => ['any', 'maskable'].every((purpose) =>
      icons.some((icon) => icon.purpose === purpose && icon.size === size)));
  check(sized, 'installable: icons of 192 and 512 pixels, plain and maskable, each of the size it is listed at',
    JSON.stringify(icons));
  const filled = icons.filter((icon) => icon.purpose !== 'any');
  check(filled.every((icon) => icon.opaque && icon.figure > 0 && icon.outside === 0),
    'installable: the maskable icons and iOS\'s are opaque, the figure whole within the middle 80 %',
    JSON.stringify(filled));
  if (ENGINE === 'chromium') {
    const session = await page.createCDPSession();
    const {installabilityErrors} = await session.send('Page.getInstallabilityErrors');
    check(installabilityErrors.length === 0, 'installable: chromium lists no installability errors',
      JSON.stringify(installabilityErrors));
  }
  await page.close();
}

// With no network: a page loaded once keeps its files (its service worker, registered after the
// first frame), so that loaded again with the network gone it draws, walks, and replays a
// recording it was linked to before. The browser's offline mode leaves a service worker's own
// fetches on the network, in both engines, so the server goes too.
async function checkOffline(browser, address, network, errors, desktopHash) {
  const page = await play(browser, address, errors);
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null, {timeout: 15000});
  network.cut();
  await page.setOfflineMode(true);
  await page.reload().catch(() => {}); // a load that fails is seen below
  const drawn = await page.waitForFunction(() => window.Module && Module.timing.flips > 0, {timeout: 15000})
    .then(() => true, () => false);
  check(drawn, 'offline: the page loaded again draws its first frame');
  if (!drawn) {
    await page.close();
    return;
  }
  const firstFlip = await page.evaluate(() => Module.timing.firstFlip);
  console.log(`figures: offline, the page from its worker's cache: first frame ${firstFlip.toFixed(0)} ms` +
    ` after the load began (load average ${os.loadavg().map((load) => load.toFixed(2)).join(' ')})`);
  await page.evaluate(installCanvasTools);
  const [moved, drift] = await walk(page, WALK, () => page.keyboard.down('ArrowRight'),
    () => page.keyboard.up('ArrowRight'));
  check(moved.dx >= LEAST_WALK && drift.dx === 0, 'offline: a held Right walks the view, which stops when let go',
    `${JSON.stringify(moved)}, then ${JSON.stringify(drift)}`);
  const {said, hash} = await replayEnd(page, `${address}?replay=desktop.tarnel`);
  check(said === 'The replay has ended.' && hash === desktopHash,
    'offline: a link to a recording watched before replays it to its last picture, pixel for pixel',
    `${said} ${hash} / ${desktopHash}`);
  await page.close();
}

const served = {};
runPageTest(webFolder, served, async (browser, address, network) => {
  const errors = [];
  if (!TOUCH_EMULATED) {
    console.log(`not in ${ENGINE}: the touch checks, the link's, the long replay's on phones and the` +
      ' installability report, which need CDP');
  }
  await checkWindows(browser, address, errors);
  await checkPad(browser, address, errors);
  const {link, desktopHash, recordedHash} = await checkRecordings(browser, address, errors, served);
  // The clipboard's permissions and a finger on the timeline are granted and emulated through
  // CDP, which firefox-esr does not speak.
  if (ENGINE === 'chromium') {
    await checkLink(browser, link, desktopHash, errors);
    await checkLongReplayOnPhones(browser, address, errors, served);
  }
  await checkInstallable(browser, address, errors);
  await checkOffline(browser, address, network, errors, recordedHash); // last: the network goes
  check(errors.length === 0, 'no console or page errors', errors.join('; '));
});
