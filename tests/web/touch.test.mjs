// Headless Chromium plays the web page (build-web/, or ZARB_WEB_DIR) as a touch phone would,
// upright and on its side: the page fits the screen, its on-screen keys play, two fingers play
// at once, and after one visit it comes up again with the server gone.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { appendFileSync, cpSync, mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { drawn, readDrawnPlaces, served, settled } from './drawn.mjs';
import { builtSite, launchBrowser, serve } from './page_server.mjs';

const kPhones = [{ width: 390, height: 844 }, { width: 844, height: 390 }];

let server;
let browser;

before(async () => {
  server = await serve();
  browser = await launchBrowser();
});

after(async () => {
  await browser?.close();
  await server?.stop();
});

// A phone's page on the game window, PLAY! tapped.
async function open(phone, url = server.url, page = null) {
  page ??= await browser.newPage();
  await page.setViewport({ ...phone, isMobile: true, hasTouch: true, deviceScaleFactor: 2 });
  await readDrawnPlaces(page);
  await page.goto(url);
  await page.waitForSelector('#frmSplash:not([hidden])');
  await page.tap('#cmdPlay');
  await page.waitForSelector('#frmZarb:not([hidden])');
  return page;
}

const top = async (page, name) => (await drawn(page, name)).top;
const pause = (ms) => new Promise((done) => setTimeout(done, ms));
const middle = async (page, key) => {
  const { x, y, width, height } = await (await page.$(`[data-key="${key}"]`)).boundingBox();
  return { x: x + width / 2, y: y + height / 2 };
};

for (const phone of kPhones) {
  const name = `${phone.width}×${phone.height}`;

  test(`a ${name} phone lays the page out at its width, the window and the keys on the screen`,
    async () => {
    const page = await open(phone);
    const layout = await page.evaluate(() => {
      const box = (element) => element.getBoundingClientRect().toJSON();
      return { width: innerWidth, scale: visualViewport.scale, window: box(frmZarb),
        field: box(field), keys: [...document.querySelectorAll('[data-key]')].map((key) =>
          ({ key: key.dataset.key, ...box(key) })) };
    });
    assert.equal(layout.width, phone.width, 'laid out at the phone\'s width');
    assert.equal(layout.scale, 1);
    const inside = (box) => box.left >= -0.5 && box.top >= -0.5 &&
      box.right <= phone.width + 0.5 && box.bottom <= phone.height + 0.5;
    assert.ok(inside(layout.window), `the window lies at ${JSON.stringify(layout.window)}`);
    assert.deepEqual(layout.keys.map((key) => key.key).sort(),
      ['Escape', 'F1', 'F2', 'KeyA', 'KeyZ', 'Quote', 'Slash']);
    for (const key of layout.keys) {
      assert.ok(inside(key), `${key.key} lies on the screen`);
      const covers = key.left < layout.field.right && key.right > layout.field.left &&
        key.top < layout.field.bottom && key.bottom > layout.field.top;
      assert.ok(!covers, `${key.key} covers the field`);
    }
    const left = (code) => layout.keys.find((key) => key.key === code).right < phone.width / 2;
    assert.ok(left('KeyA') && left('KeyZ') && !left('Quote') && !left('Slash'),
      'Player 1 keys at the left, Player 2 keys at the right');
    await page.close();
  });

  test(`on a ${name} phone a tap on F1 serves and a finger on Z moves the left paddle down`,
    async () => {
    const page = await open(phone);
    await page.tap('[data-key="F1"]');
    await served(page);
    const start = await top(page, 'imgLeft');
    const z = await middle(page, 'KeyZ');
    await page.touchscreen.touchStart(z.x, z.y);
    await page.waitForFunction((from) => drawnPiece('imgLeft').top > from, {}, start);
    await page.touchscreen.touchEnd();
    const stopped = (await settled(page, 'imgLeft')).top;
    await pause(200);
    assert.equal(await top(page, 'imgLeft'), stopped, 'the paddle stops when the finger lifts');
    await page.close();
  });
}

test('in two-player mode two fingers at once move both paddles', async () => {
  const page = await open(kPhones[1]);
  // The menus work by tapping.
  for (const caption of ['Edit', 'Players', 'Two Players']) {
    const item = await page.evaluateHandle((text) => [...document.querySelectorAll(
      '.heading, .item')].find((element) => element.checkVisibility() &&
      element.querySelector(':scope > .label').textContent === text), caption);
    await item.asElement().tap();
  }
  const checked = await page.$$eval('[role=menuitemcheckbox][aria-checked=true] .label',
    (labels) => labels.map((label) => label.textContent));
  assert.ok(checked.includes('Two Players') && !checked.includes('One Player'), `${checked}`);
  const [left, right] = [await top(page, 'imgLeft'), await top(page, 'imgRight')];
  const a = await middle(page, 'KeyA');
  const slash = await middle(page, 'Slash');
  const cdp = await page.createCDPSession();
  const touch = (type, points) => cdp.send('Input.dispatchTouchEvent', { type, touchPoints:
    points.map(({ x, y }, id) => ({ x, y, id, radiusX: 4, radiusY: 4, force: 1 })) });
  await touch('touchStart', [a, slash]);
  await page.waitForFunction((from) => drawnPiece('imgLeft').top < from &&
    drawnPiece('imgRight').top > from, {}, left);
  assert.equal(left, right);
  await touch('touchEnd', []);
  const held = [(await settled(page, 'imgLeft')).top, (await settled(page, 'imgRight')).top];
  await pause(200);
  assert.deepEqual([await top(page, 'imgLeft'), await top(page, 'imgRight')], held,
    'both paddles stop when the fingers lift');
  await page.close();
});

// Waits until a service worker keeps the page and answers for it.
const kept = (page) => page.evaluate(async () => {
  await navigator.serviceWorker.ready;
  while (!navigator.serviceWorker.controller) await new Promise((done) => setTimeout(done, 50));
});

test('after one visit the page comes up and plays with the server gone', async (t) => {
  const own = await serve(); // a server of its own, to be stopped
  t.after(own.stop);
  const page = await open(kPhones[0], own.url);
  await kept(page);
  await own.stop();
  await assert.rejects(fetch(own.url), 'the server is gone');
  await open(kPhones[0], own.url, page);
  await page.tap('[data-key="F1"]');
  await served(page);
  assert.equal(await page.$eval('#imgBall', (ball) => ball.complete && ball.naturalWidth), 33);
  await page.close();
});

test('a new build put on the server replaces the kept page', { timeout: 30000 }, async (t) => {
  const folder = mkdtempSync(join(tmpdir(), 'zarb-page-'));
  cpSync(builtSite, folder, { recursive: true });
  const own = await serve(folder);
  t.after(own.stop);
  const page = await open(kPhones[0], own.url);
  await kept(page);
  // A new build: another style, and so another worker with a cache of another name.
  appendFileSync(join(folder, 'zarb.css'), '#stage { outline: 1px solid #123456; }\n');
  const worker = join(folder, 'service_worker.js');
  writeFileSync(worker, readFileSync(worker, 'utf8').replace(/'zarb-[0-9a-f]+'/, "'zarb-new'"));
  const taken = page.evaluate(() => new Promise((done) =>
    navigator.serviceWorker.addEventListener('controllerchange', done)));
  await page.evaluate(() => navigator.serviceWorker.ready.then((worker) => worker.update()));
  await taken;
  await own.stop();
  await open(kPhones[0], own.url, page);
  assert.equal(await page.$eval('#stage', (stage) => getComputedStyle(stage).outlineColor),
    'rgb(18, 52, 86)');
  await page.close();
});
