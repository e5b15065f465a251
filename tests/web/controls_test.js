// The page around the game in headless chromium: the canvas's size in windows large and small,
// and the full screen that Escape leaves without ending the game.
// Usage: node controls_test.js WEB_FOLDER
'use strict';

const {serve, launch, close, openPage, check, finish, sleep, waitForMessage, frames} = require('./page');

const [webFolder] = process.argv.slice(2);
const SEED = 7;
const ESCAPE_HOLD = 200; // ms: Escape is read as held, once a frame
const PHONE = {isMobile: true, hasTouch: true};

const WINDOWS = [
  {name: 'a large window', viewport: {width: 1920, height: 1080}, leastScale: 2, then: checkFullScreen},
  {name: 'a phone upright', viewport: {width: 390, height: 844, ...PHONE}},
  {name: 'a phone on its side', viewport: {width: 844, height: 390, isLandscape: true, ...PHONE}},
];

// Opens the page at viewport and waits for its first frames.
async function play(browser, address, viewport, errors) {
  const page = await openPage(browser, errors);
  await page.setViewport(viewport);
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
    const page = await play(browser, address, viewport, errors);
    const seen = await layout(page);
    const size = `${seen.canvas.width} x ${seen.canvas.height} in ${seen.room.width} x ${seen.room.height}`;
    check(fitsLargest(seen) && seen.canvas.width >= 640 * leastScale,
      `${name}: the canvas as large as fits, a whole multiple of 640 x 480 where one fits, else 4:3`, size);
    check(seen.window.width === viewport.width && !seen.scrolls,
      `${name}: the page is laid out at the window's width and fits it without scrolling`,
      JSON.stringify(seen.window));
    check(seen.rendering === 'pixelated', `${name}: drawn with crisp pixels`, seen.rendering);
    if (then) await then(page);
    await page.close();
  }
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

  await page.keyboard.down('Escape');
  await sleep(ESCAPE_HOLD);
  await page.keyboard.up('Escape');
  const ended = await waitForMessage(page, /over/);
  check(ended === 'The game is over.', 'Escape again ends the game', ended);
}

async function main() {
  const {server, address} = await serve(webFolder);
  const chromium = await launch();
  const errors = [];
  try {
    await checkWindows(chromium.browser, address, errors);
    check(errors.length === 0, 'no console or page errors', errors.join('; '));
  } finally {
    await close(chromium);
    server.close();
  }
  finish();
}

main().catch((error) => {
  console.log(`FAILED: ${error.stack}`);
  process.exit(1);
});
