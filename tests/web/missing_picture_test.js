// A page built without the background: the page shows the program's message in words.
// The pictures are packed into the page's .data file, so this page is a second build of the
// same sources, in a temporary folder, with every picture but Background.bmp.
// Usage: node missing_picture_test.js BUILD_SCRIPT PICTURES_FOLDER
'use strict';

const {execFileSync} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const {serve, launch, close, openPage, check, finish, waitForMessage} = require('./page');

const [buildScript, picturesFolder] = process.argv.slice(2);

async function main() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'tarnel-web-missing-'));
  execFileSync(buildScript, [picturesFolder, folder,
    'Link.bmp', 'BlueSoldier.bmp', 'GreenSoldier.bmp', 'Armos.bmp'], {stdio: 'inherit'});
  const chromium = await launch();
  const {server, address} = await serve(folder);
  try {
    const errors = [];
    const page = await openPage(chromium.browser, errors);
    await page.goto(address);
    const message = await waitForMessage(page, /Background/);
    check(message === 'tarnel: cannot load Background.bmp: No such file or directory; the page was built without it',
      'the page names the missing background', message);
    const failed = await page.$eval('#message', (line) => line.className === 'failed');
    const again = await page.$eval('#again', (line) => !line.hidden);
    check(failed && again, 'it is shown as a failure, with a way to try again');
    const flips = await page.evaluate(() => Module.timing.flips);
    check(flips === 0, 'no frame is played', `${flips} frames`);
    check(errors.length === 0, 'no console or page errors', errors.join('; '));
  } finally {
    await close(chromium);
    server.close();
    fs.rmSync(folder, {recursive: true, force: true});
  }
  finish();
}

main().catch((error) => {
  console.log(`FAILED: ${error.stack}`);
  process.exit(1);
});
