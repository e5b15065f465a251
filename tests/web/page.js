// Shared by the browser tests: the page served on 127.0.0.1, Debian's chromium driven by
// puppeteer-core, checks that are counted, and readings of the page's canvas.
'use strict';

const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const CHROMIUM = '/usr/lib/chromium/chromium'; // Debian's binary, without its shell wrapper
const CAPTION = 'Tarnel v.3.2';
const TYPES = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm'};

// Serves folder on a free port of 127.0.0.1; resolves to the server and its address.
function serve(folder) {
  const server = http.createServer((request, response) => {
    const name = new URL(request.url, 'http://127.0.0.1').pathname.replace(/\/$/, '/index.html');
    const file = path.join(folder, path.normalize(decodeURIComponent(name)));
    fs.readFile(file, (error, body) => {
      if (error) {
        response.writeHead(404).end();
        return;
      }
      response.writeHead(200, {'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream'});
      response.end(body);
    });
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () =>
    resolve({server, address: `http://127.0.0.1:${server.address().port}/`})));
}

// Headless, offline and with a profile of its own, as root may only run it without sandbox.
async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'tarnel-web-'));
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      `--user-data-dir=${profile}`],
    defaultViewport: {width: 720, height: 560}, // shorter than the page, which may then scroll
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
    await page.waitForFunction((source) => new RegExp(source).test(
      document.getElementById('message').textContent), {timeout: timeoutMs}, pattern.source);
  } catch (error) {
    // the caller's check reports what the line said instead
  }
  return page.$eval('#message', (line) => line.textContent);
}

module.exports = {CAPTION, serve, launch, close, openPage, check, finish, sleep, waitForMessage};
