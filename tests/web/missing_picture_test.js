// A page built without the background: the page shows the program's message in words. The
// pictures are packed into the page's .data file, so this page is a second build of the same
// sources, with every picture but Background.bmp; built where the whole page was served and
// played before, it is also an update: one reload shows it, and its cache replaces the old.
// Usage: node missing_picture_test.js BUILD_SCRIPT PICTURES_FOLDER WEB_FOLDER
'use strict';

const {execFileSync} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const {serve, launch, close, openPage, check, finish, waitForMessage} = require('./page');

const [buildScript, picturesFolder, webFolder] = process.argv.slice(2);

// In the page: the names of its caches, and the bytes of the index.data its page cache holds.
async function readCaches() {
  const names = await caches.keys();
  const pages = names.filter((name) => name.startsWith('tarnel-page-'));
  const data = pages.length === 1 && await (await caches.open(pages[0])).match('index.data');
  return {names, data: data ? Array.from(new Uint8Array(await data.arrayBuffer())) : null};
}

async function main() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'tarnel-web-missing-'));
  fs.cpSync(webFolder, folder, {recursive: true});
  const launched = await launch();
  const {server, address} = await serve(folder);
  try {
    const errors = [];
    const page = await openPage(launched.browser, errors);
    await page.goto(address);
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null, {timeout: 15000});
    const before = await page.evaluate(readCaches);

    execFileSync(buildScript, [picturesFolder, folder,
      'Link.bmp', 'BlueSoldier.bmp', 'GreenSoldier.bmp', 'Armos.bmp'], {stdio: 'inherit'});
    await page.reload();
    const message = await waitForMessage(page, /Background/);
    check(message === 'tarnel: cannot load Background.bmp: No such file or directory; the page was built without it',
      'the page names the missing background, one reload after its build', message);
    const failed = await page.$eval('#message', (line) => line.className === 'failed');
    const again = await page.$eval('#again', (line) => !line.hidden);
    check(failed && again, 'it is shown as a failure, with a way to try again');
    const flips = await page.evaluate(() => Module.timing.flips);
    check(flips === 0, 'no frame is played', `${flips} frames`);

    // The new build's worker installs as the page reloads, fills a cache of its own, and drops
    // the old one.
    const replaced = await page.waitForFunction(async (old) => {
      const names = (await caches.keys()).filter((name) => name.startsWith('tarnel-page-'));
      return names.length === 1 && names[0] !== old;
    }, {timeout: 15000, polling: 100}, before.names[0]).then(() => true, () => false);
    const after = await page.evaluate(readCaches);
    const built = fs.readFileSync(path.join(folder, 'index.data'));
    check(before.names.length === 1 && replaced && Buffer.from(after.data || []).equals(built),
      'the rebuilt page\'s cache holds its new files, and the old page\'s cache is gone',
      `${before.names.join(', ')} -> ${after.names.join(', ')}; index.data cached ${after.data && after.data.length}` +
      ` bytes, built ${built.length}`);
    check(errors.length === 0, 'no console or page errors', errors.join('; '));
  } finally {
    await close(launched);
    server.close();
    fs.rmSync(folder, {recursive: true, force: true});
  }
  finish();
}

main().catch((error) => {
  console.log(`FAILED: ${error.stack}`);
  process.exit(1);
});
