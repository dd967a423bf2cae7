// Takes the README's picture of the web page on an upright phone: 390 by 844, touch keys shown,
// a rally under way. Uses the page tests' server and browser.
//   node tools/phone_shot.mjs WEB_FOLDER PICTURE.png
import { resolve } from 'node:path';
import { launchBrowser, serve } from '../tests/web/page_server.mjs';

const [site, picture] = process.argv.slice(2).map((path) => resolve(path));
const server = await serve(site);
const browser = await launchBrowser();
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 390, height: 844, isMobile: true, hasTouch: true,
    deviceScaleFactor: 1 });
  await page.goto(server.url);
  await page.waitForSelector('#frmSplash:not([hidden])');
  await page.tap('#cmdPlay');
  await page.waitForSelector('#frmZarb:not([hidden])');
  await page.tap('[data-key="F1"]');
  await new Promise((done) => setTimeout(done, 1250)); // the serve comes a second after F1
  await page.screenshot({ path: picture });
} finally {
  await browser.close();
  await server.stop();
}
