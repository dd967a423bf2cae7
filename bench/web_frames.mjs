// How evenly the web page draws a flying ball at the browser's 60 animation frames a second, and
// what a two-player rally costs the browser, in headless Chromium. Both players sweep their
// paddles, a quarter second up and a quarter second down, as the desktop's frames benchmark does.
//
//   node bench/web_frames.mjs [SECONDS] [DESKTOP_CPU_PERCENT]
//
// Needs the built page (build-web/, or ZARB_WEB_DIR) and the page tests' node_modules
// (cd tests/web && npm ci). DESKTOP_CPU_PERCENT is the desktop's rally CPU from the frames
// benchmark, which the page's is set against (2.1 by default).
import { readFileSync, readdirSync } from 'node:fs';
import { launchBrowser, serve } from '../tests/web/page_server.mjs';
import { readDrawnPlaces, served } from '../tests/web/drawn.mjs';

const seconds = Number(process.argv[2] ?? 10);
const desktopCpuPercent = Number(process.argv[3] ?? 2.1);
const kTickMs = 15.625;
const kClockTicksPerSecond = 100; // /proc's unit of CPU time on Linux

// The game window of a page in two-player mode, served.
async function openRally(browser, url) {
  const page = await browser.newPage();
  await page.setViewport({ width: 900, height: 800 });
  await readDrawnPlaces(page);
  await page.goto(url);
  await page.waitForSelector('#frmSplash:not([hidden])');
  await page.click('#cmdPlay');
  await page.waitForSelector('#frmZarb:not([hidden])');
  for (const caption of ['Edit', 'Players', 'Two Players']) {
    const item = await page.evaluateHandle((text) => [...document.querySelectorAll(
      '.heading, .item')].find((element) => element.checkVisibility() &&
      element.querySelector(':scope > .label').textContent === text), caption);
    await item.asElement()[caption === 'Players' ? 'hover' : 'click']();
  }
  await page.keyboard.press('F1');
  await served(page);
  return page;
}

// Both players sweep their paddles; a match won is closed and a new one begun.
function sweep(page) {
  let up = false;
  const timer = setInterval(async () => {
    up = !up;
    try {
      if (await page.$('#msgbox[open]')) {
        await page.click('#msgbox .ok');
        await page.keyboard.press('F1');
      }
      await page.keyboard.up(up ? 'KeyZ' : 'KeyA');
      await page.keyboard.up(up ? 'Slash' : 'Quote');
      await page.keyboard.down(up ? 'KeyA' : 'KeyZ');
      await page.keyboard.down(up ? 'Quote' : 'Slash');
    } catch {
      // the page closed under a sweep
    }
  }, 250);
  return () => clearInterval(timer);
}

// The ball's drawn left edge at every frame, read after the frame's animation callbacks and
// layout, just before it is painted: a probe resized in each frame wakes a resize observer then.
function recordBall(page, ms) {
  return page.evaluate((forMs) => new Promise((done) => {
    const samples = [];
    const probe = document.createElement('div');
    probe.style.cssText = 'position: fixed; left: 0; top: 0; height: 1px; pointer-events: none';
    document.body.append(probe);
    let frameAt = 0;
    let frames = 0;
    new ResizeObserver(() => {
      if (frameAt) samples.push([frameAt, drawnPiece('imgBall').left]);
    }).observe(probe);
    const onFrame = (at) => {
      frameAt = at;
      probe.style.width = `${++frames % 2 + 1}px`;
      if (samples.length && at - samples[0][0] > forMs) done(samples);
      else requestAnimationFrame(onFrame);
    };
    requestAnimationFrame(onFrame);
  }), ms);
}

// The advances of the ball in straight flight: runs of frames in one direction, without the
// frames near a turn, a serve or a point (the ball put back in the middle).
function flightAdvances(samples) {
  const advances = [];
  for (let i = 1; i < samples.length; ++i) {
    advances.push({ by: samples[i][1] - samples[i - 1][1], ms: samples[i][0] - samples[i - 1][0], at: samples[i][0] });
  }
  const flight = [];
  let run = [];
  const endRun = () => {
    while (run.length && run[0].by === 0) run.shift();
    while (run.length && run.at(-1).by === 0) run.pop();
    flight.push(...run.slice(2, -2));
    run = [];
  };
  for (const advance of advances) {
    const direction = Math.sign(run.find((each) => each.by !== 0)?.by ?? 0);
    const along = advance.by === 0 || direction === 0 || Math.sign(advance.by) === direction;
    if (!along || Math.abs(advance.by) > 60) endRun();
    if (Math.abs(advance.by) <= 60) run.push(advance);
  }
  endRun();
  return flight;
}

function flightFigures(samples) {
  const flight = flightAdvances(samples);
  const mean = (values) => values.reduce((sum, value) => sum + value, 0) / values.length;
  const advance = mean(flight.map((each) => Math.abs(each.by)));
  const frameMs = mean(flight.map((each) => each.ms));
  const step = advance * kTickMs / frameMs;
  const uneven = flight.filter((each) => Math.abs(Math.abs(each.by) - advance) > step / 3).length;
  if (globalThis.dump) { let p=null; for (const x of samples) { console.error(x[0].toFixed(1), x[1].toFixed(2), p ? (x[1]-p[1]).toFixed(2) : '', flight.find(f=>f.at===x[0]) ? 'F' : ''); p = x; } }
  const flightS = flight.length * frameMs / 1000;
  const wallS = (samples.at(-1)[0] - samples[0][0]) / 1000;
  return { framesPerS: (samples.length - 1) / wallS, unevenPerS: uneven / flightS, flightS,
    advance, step };
}

// CPU time so far of the browser and each of its child processes, in ms, with their kinds.
function processTimes(browserPid) {
  const stats = new Map();
  for (const name of readdirSync('/proc')) {
    if (!/^\d+$/.test(name)) continue;
    try {
      const stat = readFileSync(`/proc/${name}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      const cmdline = readFileSync(`/proc/${name}/cmdline`, 'utf8');
      stats.set(Number(name), { parent: Number(fields[1]),
        ms: (Number(fields[11]) + Number(fields[12])) * 1000 / kClockTicksPerSecond,
        kind: /--type=([a-z-]+)/.exec(cmdline)?.[1] ?? 'browser' });
    } catch {
      // a process that ended while it was read
    }
  }
  const family = new Map();
  const add = (pid) => {
    family.set(pid, stats.get(pid));
    for (const [child, stat] of stats) if (stat.parent === pid) add(child);
  };
  if (stats.has(browserPid)) add(browserPid);
  return family;
}

async function rallyCpu(browser, page) {
  const pid = browser.process().pid;
  const before = processTimes(pid);
  const from = performance.now();
  await new Promise((done) => setTimeout(done, seconds * 1000));
  const after = processTimes(pid);
  const wallS = (performance.now() - from) / 1000;
  const spent = new Map();
  for (const [child, stat] of after) {
    const ms = (stat.ms - (before.get(child)?.ms ?? 0)) / wallS;
    spent.set(stat.kind, Math.max(spent.get(stat.kind) ?? 0, ms));
    if (stat.kind === 'renderer') spent.set('renderers', (spent.get('renderers') ?? 0) + ms);
    spent.set('all', (spent.get('all') ?? 0) + ms);
  }
  return spent;
}

const percent = (msPerS) => `${msPerS.toFixed(1)} (${(msPerS / 10).toFixed(1)} %)`;

const server = await serve(); if (process.env.DUMP) { globalThis.dump = true; }
const browser = await launchBrowser();
try {
  const flightPage = await openRally(browser, server.url);
  let stop = sweep(flightPage);
  const flight = flightFigures(await recordBall(flightPage, seconds * 1000));
  stop();
  await flightPage.close();

  const rallyPage = await openRally(browser, server.url);
  stop = sweep(rallyPage);
  await new Promise((done) => setTimeout(done, 500));
  const cpu = await rallyCpu(browser, rallyPage);
  stop();
  await rallyPage.close();

  console.log('| Page in headless Chromium, 60 Hz animation frames | Frames a second | ' +
    'Uneven frames a second in straight flight | Seconds of flight measured | ' +
    'Ball advance a frame (px) |');
  console.log('|---|---|---|---|---|');
  console.log(`| ${seconds} s of a two-player rally | ${flight.framesPerS.toFixed(1)} | ` +
    `${flight.unevenPerS.toFixed(2)} | ${flight.flightS.toFixed(1)} | ` +
    `${flight.advance.toFixed(2)} |`);
  console.log();
  console.log('| Two-player rally, both paddles moving, CPU (ms/s, % of a core) | Renderer | ' +
    'GPU process (compositing) | Browser process | Whole browser | Whole browser / desktop |');
  console.log('|---|---|---|---|---|---|');
  const all = cpu.get('all');
  console.log(`| ${seconds} s | ${percent(cpu.get('renderers') ?? 0)} | ` +
    `${percent(cpu.get('gpu-process') ?? 0)} | ${percent(cpu.get('browser') ?? 0)} | ` +
    `${percent(all)} | ${(all / 10 / desktopCpuPercent).toFixed(2)} |`);
  console.log();
  const met = (ok) => (ok ? 'met' : 'MISSED');
  console.log('Targets:');
  console.log(`- at most 0.5 uneven frames a second in straight flight: ` +
    `${met(flight.unevenPerS <= 0.5)} (${flight.unevenPerS.toFixed(2)})`);
  console.log(`- the whole browser at most twice the desktop's ${desktopCpuPercent} % of a core ` +
    `in a rally: ${met(all / 10 <= 2 * desktopCpuPercent)} (${(all / 10).toFixed(1)} %)`);
} finally {
  await browser.close();
  await server.stop();
}
