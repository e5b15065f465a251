// The page in its reader's language: a game, its end, and its replay, in the pseudo-language
// (every text and accessible name from the catalogues, the program's message too), and in German
// and Arabic on a phone (every control in the window, unclipped; Arabic right to left, but for
// the D-pad and the timeline).
'use strict';

const {ENGINE, openPage, check, frames, runPageTest} = require('./page.js');

const [webFolder] = process.argv.slice(2);
const PHONE = {width: 390, height: 844, isMobile: true, hasTouch: true};
const TOUCH_EMULATED = ENGINE === 'chromium'; // firefox-esr shows no touch controls
const GAME_FRAMES = 40; // two seconds, played then replayed

// Opens the page for a reader of languages at path, and waits for the game's first frame.
async function open(browser, address, errors, languages, path, viewport) {
  const page = await openPage(browser, errors);
  if (viewport) await page.setViewport(viewport);
  await page.evaluateOnNewDocument((tags) => {
    Object.defineProperty(navigator, 'languages', {get: () => tags});
  }, languages);
  await page.goto(address + path);
  await page.waitForFunction(() => Module.timing.flips > 0 || !document.getElementById('again').hidden,
    {timeout: 15000});
  return page;
}

// A game played, ended and offered, its link asked for, then replayed, paused and ended; a seed
// the program refuses. look(page, when) reads the page at each.
async function visit(browser, address, errors, served, languages, look, viewport = null) {
  let page = await open(browser, address, errors, languages, '?seed=7', viewport);
  await look(page, 'a game');
  await frames(page, GAME_FRAMES);
  await page.keyboard.down('Escape'); // read once a frame while held
  await page.waitForSelector('#save:not([hidden])');
  await page.keyboard.up('Escape');
  await page.click('#copy-link');
  await page.waitForFunction(() => document.getElementById('link-said').textContent !== '');
  await look(page, 'the game over');
  served['/game.tarnel'] = Buffer.from(await page.evaluate(() =>
    Array.from(FS.readFile('/recordings/tarnel-seed-7.tarnel'))));
  await page.close();

  page = await open(browser, address, errors, languages, '?replay=game.tarnel', viewport);
  await page.click('#watch-pause');
  await page.waitForFunction(() => document.getElementById('position').hasAttribute('aria-valuetext'));
  await look(page, 'a replay paused');
  // End, not Play: a replay that ended before the click above was played again by it.
  await page.keyboard.press('End');
  await page.waitForSelector('#again:not([hidden])');
  await look(page, 'the replay ended');
  await page.close();

  page = await open(browser, address, errors, languages, '?seed=abc', viewport);
  await look(page, 'a seed refused');
  await page.close();
}

// In the page: every text and accessible name, with the language and direction it is in.
function texts() {
  const found = [];
  const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
  while (walker.nextNode()) {
    if (!walker.currentNode.parentElement.closest('script')) found.push(walker.currentNode.textContent.trim());
  }
  for (const element of document.querySelectorAll('[aria-label], [aria-valuetext]')) {
    found.push(element.getAttribute('aria-label') || '', element.getAttribute('aria-valuetext') || '');
  }
  return {lang: document.documentElement.lang, texts: found.filter((text) => text !== '')};
}

// English left over: a word outside the pseudo-language's brackets, but for the caption and
// the program's name before its message.
function english(text) {
  const rest = text.replace(/⟦[^⟧]*⟧/g, '').replace(/^tarnel:/, '');
  return text !== 'Tarnel v.3.2' && /[A-Za-z]{2,}/.test(rest);
}

// In the page: the controls shown that leave the window (width x height: a phone widens its
// window to a page too wide for it) or their own box, and the directions of the text, the D-pad
// and the timeline.
function layout(touchEmulated, width, height) {
  const controls = Array.from(document.querySelectorAll('button, input, a, [role=timer]'));
  const outside = controls.filter((control) => control.getClientRects().length > 0).filter((control) => {
    const box = control.getBoundingClientRect();
    return box.left < 0 || box.top < 0 || box.right > width || box.bottom > height ||
      getComputedStyle(control).display !== 'inline' && // a link's text wraps: it has no box
        (control.scrollWidth > control.clientWidth || control.scrollHeight > control.clientHeight);
  }).map((control) => control.id);
  const direction = (id) => getComputedStyle(document.getElementById(id)).direction;
  const x = (id) => document.getElementById(id).getBoundingClientRect().x;
  return {outside, scrolls: document.scrollingElement.scrollWidth > width, lang: document.documentElement.lang,
    directions: [direction('keys'), direction('dpad'), direction('position')],
    padInOrder: !touchEmulated || document.getElementById('up').getClientRects().length === 0 ||
      x('left') < x('up') && x('up') < x('right')};
}

const served = {};
runPageTest(webFolder, served, async (browser, address) => {
  const errors = [];
  await visit(browser, address, errors, served, ['xx'], async (page, when) => {
    const {lang, texts: found} = await page.evaluate(texts);
    const left = found.filter(english);
    check(lang === 'xx' && left.length === 0, `in the pseudo-language, ${when}: no English left`,
      `${lang}: ${left.join(' | ')}`);
  });
  for (const [language, tags, directions] of [
    ['de', ['de-AT', 'en'], ['ltr', 'ltr', 'ltr']],
    ['ar', ['ar-EG'], ['rtl', 'ltr', 'ltr']],
  ]) {
    await visit(browser, address, errors, served, tags, async (page, when) => {
      const seen = await page.evaluate(layout, TOUCH_EMULATED, PHONE.width, PHONE.height);
      check(seen.lang === language && seen.outside.length === 0 && !seen.scrolls &&
        seen.directions.join() === directions.join() && seen.padInOrder,
        `${language} on a phone, ${when}: every control in the window, unclipped; text, D-pad and timeline ` +
        directions.join(', '), JSON.stringify(seen));
    }, PHONE);
  }
  check(errors.length === 0, 'no console or page errors', errors.join('; '));
});
