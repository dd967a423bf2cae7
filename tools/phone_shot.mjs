// Takes the README's picture of the web page on an upright phone: 390 by 844, touch keys shown,
// a rally under way. Uses the page tests' puppeteer-core and Debian's Chromium.
//   node tools/phone_shot.mjs WEB_FOLDER PICTURE.png
import { existsSync, readFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { createRequire } from 'node:module';
import { extname, join, resolve } from 'node:path';

const require = createRequire(new URL('../tests/web/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');
const [site, picture] = process.argv.slice(2).map((path) => resolve(path));
const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.gif': 'image/gif', '.png': 'image/png',
  '.webmanifest': 'application/manifest+json' };

const server = createServer((request, response) => {
  const asked = new URL(request.url, 'http://page').pathname;
  const path = join(site, asked.endsWith('/') ? `${asked}index.html` : asked);
  if (!path.startsWith(site) || !existsSync(path)) {
    response.writeHead(404).end();
    return;
  }
  response.writeHead(200, { 'Content-Type': types[extname(path)] ?? 'application/octet-stream' });
  response.end(readFileSync(path));
});
await new Promise((done) => server.listen(0, '127.0.0.1', done));
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--font-render-hinting=none'],
});
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 390, height: 844, isMobile: true, hasTouch: true,
    deviceScaleFactor: 1 });
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
  await page.waitForSelector('#frmSplash:not([hidden])');
  await page.tap('#cmdPlay');
  await page.waitForSelector('#frmZarb:not([hidden])');
  await page.tap('[data-key="F1"]');
  await new Promise((done) => setTimeout(done, 1250)); // the serve comes a second after F1
  await page.screenshot({ path: picture });
} finally {
  await browser.close();
  server.close();
}
