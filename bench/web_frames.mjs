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
import { readDrawnPlaces, recordDrawn, served } from '../tests/web/drawn.mjs';

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

// The advances of the ball in straight flight: runs of frames in one direction, without the
// frames near a turn, a serve or a point (the ball put back in the middle).
function flightAdvances(samples) {
  const advances = [];
  for (let i = 1; i < samples.length; ++i) {
    advances.push({ by: samples[i][1] - samples[i - 1][1],
      ms: samples[i][0] - samples[i - 1][0] });
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

// The CPU a second of the browser's processes while the page plays on, by kind, and the page's
// own work from the renderer's counters: its script, and how often it is laid out.
async function cpuWhile(browser, page) {
  const pid = browser.process().pid;
  const session = await page.createCDPSession();
  await session.send('Performance.enable');
  const counters = async () => Object.fromEntries((await session.send('Performance.getMetrics'))
    .metrics.map(({ name, value }) => [name, value]));
  const before = processTimes(pid);
  const countedBefore = await counters();
  const from = performance.now();
  await new Promise((done) => setTimeout(done, seconds * 1000));
  const after = processTimes(pid);
  const counted = await counters();
  const wallS = (performance.now() - from) / 1000;
  const spent = new Map();
  for (const [child, stat] of after) {
    const ms = (stat.ms - (before.get(child)?.ms ?? 0)) / wallS;
    spent.set(stat.kind, (spent.get(stat.kind) ?? 0) + ms);
    spent.set('all', (spent.get('all') ?? 0) + ms);
  }
  const rate = (name) => (counted[name] - countedBefore[name]) / wallS;
  spent.set('script', rate('ScriptDuration') * 1000);
  spent.set('layouts', rate('LayoutCount'));
  return spent;
}

// The least any page drawn at every animation frame costs this browser: one square moved by
// translation, nothing else.
async function bareCpu(browser) {
  const page = await browser.newPage();
  await page.setViewport({ width: 900, height: 800 });
  await page.setContent('<div style="position: relative; width: 792px; height: 644px; ' +
    'background: #000"><div id="square" style="position: absolute; width: 33px; ' +
    'height: 33px; background: #0ff; will-change: transform"></div></div>');
  await page.evaluate(() => {
    const frame = (at) => {
      square.style.transform = `translate(${(at * 0.7) % 700}px, 100px)`;
      requestAnimationFrame(frame);
    };
    requestAnimationFrame(frame);
  });
  await new Promise((done) => setTimeout(done, 500));
  const cpu = await cpuWhile(browser, page);
  await page.close();
  return cpu;
}

const percent = (msPerS) => `${msPerS.toFixed(1)} (${(msPerS / 10).toFixed(1)} %)`;

const server = await serve();
const browser = await launchBrowser();
try {
  const flightPage = await openRally(browser, server.url);
  let stop = sweep(flightPage);
  const flight = flightFigures(await recordDrawn(flightPage, 'imgBall', seconds * 1000));
  stop();
  await flightPage.close();

  const rallyPage = await openRally(browser, server.url);
  stop = sweep(rallyPage);
  await new Promise((done) => setTimeout(done, 500));
  const cpu = await cpuWhile(browser, rallyPage);
  stop();
  await rallyPage.close();
  const bare = await bareCpu(browser);

  console.log('| Page in headless Chromium, 60 Hz animation frames | Frames a second | ' +
    'Uneven frames a second in straight flight | Seconds of flight measured | ' +
    'Ball advance a frame (px) |');
  console.log('|---|---|---|---|---|');
  console.log(`| ${seconds} s of a two-player rally | ${flight.framesPerS.toFixed(1)} | ` +
    `${flight.unevenPerS.toFixed(2)} | ${flight.flightS.toFixed(1)} | ` +
    `${flight.advance.toFixed(2)} |`);
  console.log();
  console.log('| CPU (ms/s, % of a core), 60 animation frames a second | Renderers | ' +
    'GPU process (compositing) | Browser process | Whole browser | Page script | ' +
    'Layouts a second |');
  console.log('|---|---|---|---|---|---|---|');
  const row = (name, spent) => console.log(`| ${name} | ${percent(spent.get('renderer') ?? 0)} | ` +
    `${percent(spent.get('gpu-process') ?? 0)} | ${percent(spent.get('browser') ?? 0)} | ` +
    `${percent(spent.get('all'))} | ${percent(spent.get('script'))} | ` +
    `${spent.get('layouts').toFixed(1)} |`);
  row(`Page, two-player rally, both paddles moving, ${seconds} s`, cpu);
  row('Bare page, one square moved at every frame', bare);
  const all = cpu.get('all');
  console.log(`\nWhole browser: ${(all / bare.get('all')).toFixed(2)} times the bare page's, ` +
    `${(all / 10 / desktopCpuPercent).toFixed(2)} times the desktop's ${desktopCpuPercent} %`);
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
