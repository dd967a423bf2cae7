// Headless Chromium plays the web page (build-web/, or ZARB_WEB_DIR) through its keys, menus and
// buttons, as a player would. The desktop's field shot (ZARB_FIELD_SHOT, built in build/) is
// what the page's start state must look like.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { drawn, readDrawnPlaces, recordDrawn, served, settled } from './drawn.mjs';
import { launchBrowser, serve } from './page_server.mjs';

const root = fileURLToPath(new URL('../..', import.meta.url));
const fieldShot = process.env.ZARB_FIELD_SHOT ?? join(root, 'build/tests/web/zarb_field_shot');

let server;
let browser;
let url;

before(async () => {
  server = await serve();
  url = server.url;
  browser = await launchBrowser();
});

after(async () => {
  await browser?.close();
  await server?.stop();
});

// A page on the splash, or with PLAY! pressed.
async function open({ play = true } = {}) {
  const page = await browser.newPage();
  await page.setViewport({ width: 900, height: 800 });
  await readDrawnPlaces(page);
  await page.goto(url);
  await page.waitForSelector('#frmSplash:not([hidden])');
  if (play) {
    await page.click('#cmdPlay');
    await page.waitForSelector('#frmZarb:not([hidden])');
  }
  return page;
}

// A piece's drawn place in the field's pixels, and whether it is shown.
const piece = drawn;
const pause = (ms) => new Promise((done) => setTimeout(done, ms));

// Presses F1 and waits for the serve: the ball leaves its place in the middle.
async function serveBall(page) {
  const pressed = await page.evaluate(() => performance.now());
  await page.keyboard.press('F1');
  await served(page);
  return (await page.evaluate(() => performance.now())) - pressed;
}

// Chooses a menu item with the pointer, through its headings.
async function choose(page, ...captions) {
  const find = async (caption) => (await page.evaluateHandle((text) =>
    [...document.querySelectorAll('.heading, .item')].find((element) => element.checkVisibility() &&
      element.querySelector(':scope > .label').textContent === text), caption)).asElement();
  await (await find(captions[0])).click();
  for (const caption of captions.slice(1, -1)) await (await find(caption)).hover();
  await (await find(captions.at(-1))).click();
}

test('the splash comes up with PLAY!, INFO and EXIT, and PLAY! opens the game', async (t) => {
  const page = await browser.newPage();
  await page.goto(url);
  await page.waitForSelector('#frmSplash:not([hidden])');
  t.diagnostic(`splash up ${Math.round(await page.evaluate(() =>
    performance.getEntriesByName('zarb splash shown')[0].startTime))} ms after the navigation`);
  assert.deepEqual(await page.$$eval('#frmSplash button.command', (all) =>
    all.map((button) => button.textContent)), ['PLAY!', 'INFO', 'EXIT']);
  // INFO: the controls, each line's key in one column.
  await page.click('#cmdInfo');
  await page.waitForSelector('#msgbox[open]');
  const keyColumns = await page.$$eval('#msgbox .text > div', (lines) => lines
    .filter((line) => line.textContent.includes('\t')).map((line) => {
      const range = document.createRange();
      range.setStart(line.firstChild, line.textContent.lastIndexOf('\t') + 1);
      range.setEnd(line.firstChild, line.textContent.length);
      return Math.round(range.getBoundingClientRect().left);
    }));
  assert.equal(keyColumns.length, 7);
  assert.deepEqual(new Set(keyColumns).size, 1, `the keys stand at ${keyColumns}`);
  await page.click('#msgbox .ok');
  await page.click('#cmdPlay');
  await page.waitForSelector('#frmZarb:not([hidden])');
  assert.equal(await page.$eval('#frmSplash', (splash) => splash.hidden), true);
  assert.equal(await page.$('[data-key]'), null, 'no on-screen keys without a touch screen');
  assert.deepEqual(await page.$$eval('#menubar > .heading > .label', (all) =>
    all.map((label) => label.textContent)), ['File', 'Edit', 'Help']);
  await page.close();
});

test('F1 serves one second later, and A and Z move the left paddle', async (t) => {
  const page = await open();
  const waited = await serveBall(page);
  t.diagnostic(`served ${Math.round(waited)} ms after F1`);
  // The 64th clock tick after the one before the key. Ticks never come early, and one comes
  // less than a tick late or the clock starts afresh later: more than 62 ticks after the key.
  assert.ok(waited > 62 * 15.625 && waited < 5000, `served after ${waited} ms`);

  const start = (await piece(page, 'imgLeft')).top;
  await page.keyboard.down('KeyA');
  await page.waitForFunction((top) => drawnPiece('imgLeft').top < top, {}, start);
  await page.keyboard.up('KeyA');
  const raised = (await settled(page, 'imgLeft')).top;
  await pause(200);
  assert.equal((await piece(page, 'imgLeft')).top, raised, 'the paddle stops with its key');
  await page.keyboard.down('KeyZ');
  await page.waitForFunction((top) => drawnPiece('imgLeft').top > top, {}, raised);
  await page.keyboard.up('KeyZ');
  await page.close();
});

test('Esc pauses and resumes the rally', async () => {
  const page = await open();
  await serveBall(page);
  await page.keyboard.press('Escape');
  const paused = await settled(page, 'imgBall');
  assert.equal((await piece(page, 'lblPause')).shown, true);
  assert.equal((await piece(page, 'lblWin')).text, 'Paused');
  await pause(300);
  assert.deepEqual(await piece(page, 'imgBall'), paused, 'the ball stands still while paused');
  await page.keyboard.press('Escape');
  assert.equal((await piece(page, 'lblPause')).shown, false);
  await page.waitForFunction((left) => drawnPiece('imgBall').left !== left, {}, paused.left);
  await page.close();
});

test('a Help item pauses a running rally and shows its exact text in a modal box', async () => {
  const page = await open();
  await serveBall(page);
  await choose(page, 'Help', 'Rules');
  await page.waitForSelector('#msgbox[open]');
  assert.equal((await piece(page, 'lblPause')).shown, true);
  const box = await page.$eval('#msgbox', (dialog) => ({
    title: dialog.querySelector('.caption').textContent,
    text: [...dialog.querySelectorAll('.text > div')].map((line) => line.textContent)
      .join('\r\n'),
    buttons: [...dialog.querySelectorAll('button')].map((button) => button.textContent),
  }));
  assert.deepEqual(box, {
    title: 'Rules of Zarb',
    text: ['The object of Zarb is to hit the ball so', 'that the other player misses it.  To do',
      'this, move your paddle up and down,', 'but take note that where the ball hits',
      'the paddle will determine at what angle', 'the ball bounces off your paddle.  Use',
      'this to your advantage.  Good luck!'].join('\r\n'),
    buttons: ['OK'],
  });
  // The box has the keyboard: Esc closes it and does not resume the game.
  await page.keyboard.press('Escape');
  await page.waitForSelector('#msgbox:not([open])');
  assert.equal((await piece(page, 'lblPause')).shown, true);
  await page.close();
});

test('a flying ball is drawn advancing evenly from frame to frame', async () => {
  const page = await open();
  await serveBall(page);
  const samples = await recordDrawn(page, 'imgBall', 1500);
  // Its speed between frames, in runs of one direction: a frame that came late moves it further.
  const runs = [[]];
  for (let i = 1; i < samples.length; ++i) {
    const speed = (samples[i][1] - samples[i - 1][1]) / (samples[i][0] - samples[i - 1][0]);
    if (speed === 0 || Math.sign(speed) !== Math.sign(runs.at(-1)[0] ?? speed)) runs.push([]);
    if (speed !== 0) runs.at(-1).push(speed);
  }
  // The longest flight, without the frames near its serve and its turn.
  const flight = runs.reduce((a, b) => (b.length > a.length ? b : a)).slice(2, -2);
  assert.ok(flight.length >= 20, `a flight of ${flight.length} frames`);
  const mean = flight.reduce((sum, speed) => sum + speed, 0) / flight.length;
  const uneven = flight.filter((speed) => Math.abs(speed - mean) > Math.abs(mean) / 3);
  assert.ok(uneven.length <= 1, `${uneven.length} of ${flight.length} frames uneven at ${uneven}` +
    ` px/ms, where the ball flies at ${mean}`);
  await page.close();
});

test("level 5's obstacle slides", async () => {
  const page = await open();
  await choose(page, 'Edit', 'Level', 'Level 5');
  const placed = await piece(page, 'shpObstacle');
  assert.equal(placed.shown, true);
  await serveBall(page);
  await page.waitForFunction((left) => drawnPiece('shpObstacle').left !== left, {}, placed.left);
  await page.close();
});

// Each piece's box in a picture of the field: the bounding box of its colour within the area
// where it lies, so that a piece drawn a pixel off shows as a box a pixel off.
const kPieceAreas = {
  imgLeft: { area: [0, 0, 60, 560], colour: 'cyan' },
  imgRight: { area: [732, 0, 792, 560], colour: 'cyan' },
  imgBall: { area: [60, 0, 732, 560], colour: 'cyan' },
  lblLevel: { area: [0, 0, 792, 80], colour: 'red' },
  lblLabel: { area: [0, 560, 792, 644], colour: 'red' },
  lblPlayer1: { area: [0, 570, 250, 644], colour: 'white' },
  lblWin: { area: [250, 570, 540, 644], colour: 'white' },
  lblPlayer2: { area: [540, 570, 792, 644], colour: 'white' },
  // The captions in the white boxes.
  'lblPlayer1 caption': { area: [48, 592, 177, 625], colour: 'black' },
  'lblWin caption': { area: [304, 584, 473, 633], colour: 'black' },
  'lblPlayer2 caption': { area: [616, 592, 745, 625], colour: 'black' },
};

function boxes(png) {
  return async (page) => page.evaluate(async (data, areas) => {
    const image = new Image();
    image.src = `data:image/png;base64,${data}`;
    await image.decode();
    const canvas = new OffscreenCanvas(image.width, image.height);
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0);
    const { data: pixels, width } = context.getImageData(0, 0, image.width, image.height);
    const is = {
      cyan: (r, g, b) => r > 150 && r < 230 && g > 200 && b > 200,
      red: (r, g, b) => r > 200 && g < 80 && b < 80,
      white: (r, g, b) => r > 240 && g > 240 && b > 240,
      black: (r, g, b) => r < 128 && g < 128 && b < 128,
    };
    const found = {};
    for (const [name, { area: [x0, y0, x1, y1], colour }] of Object.entries(areas)) {
      let box = null;
      for (let y = y0; y < Math.min(y1, image.height); ++y) {
        for (let x = x0; x < Math.min(x1, image.width); ++x) {
          const at = (y * width + x) * 4;
          if (!is[colour](pixels[at], pixels[at + 1], pixels[at + 2])) continue;
          box = box ? [Math.min(box[0], x), Math.min(box[1], y), Math.max(box[2], x),
            Math.max(box[3], y)] : [x, y, x, y];
        }
      }
      found[name] = box;
    }
    return found;
  }, png.toString('base64'), kPieceAreas);
}

// Named by ZARB_FIELD_SHOT, the desktop's shot must be there; by default it may not be built.
const noFieldShot = !process.env.ZARB_FIELD_SHOT && !existsSync(fieldShot);
test("the start state's field matches the desktop's, piece by piece, within one pixel",
  { skip: noFieldShot && `no ${fieldShot}: build the desktop first` }, async (t) => {
    const desktopPng = join(mkdtempSync(join(tmpdir(), 'zarb-web-')), 'field.png');
    execFileSync(fieldShot, [desktopPng], {
      env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' },
      stdio: 'pipe',
    });
    const page = await open();
    const webBoxes = await boxes(await (await page.$('#field')).screenshot())(page);
    const desktopBoxes = await boxes(readFileSync(desktopPng))(page);
    for (const name of Object.keys(kPieceAreas)) {
      assert.ok(desktopBoxes[name], `${name} is on the desktop's field`);
      assert.ok(webBoxes[name], `${name} is on the page's field`);
      const apart = Math.max(...webBoxes[name].map((edge, i) =>
        Math.abs(edge - desktopBoxes[name][i])));
      t.diagnostic(`${name}: page ${webBoxes[name]} desktop ${desktopBoxes[name]}`);
      assert.ok(apart <= 1, `${name} lies ${apart} pixels from the desktop's`);
    }
    await page.close();
  });
