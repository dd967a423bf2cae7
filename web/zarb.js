// The page's side of the game: loads the rules (zarb.wasm), feeds them the 64 Hz clock, the
// keys, the menus and the splash's buttons, and draws what they hold after every event.
import { $, endPage, ended, setRules, text, zarb } from './page.js';
import { afterEvent, stopClock, tickIfDue } from './clock.js';
import { buildField, drawField, drawMotion } from './field.js';
import { buildMenus, drawMenus, menuEntries } from './menus.js';
import { dropBoxes, queueBox, showNextBox } from './boxes.js';
import { onKeyDown, onKeyUp } from './keys.js';
import { fitScreen, setUpScreen, showingGame } from './screen.js';

const kSplash = 0;
const kGame = 1;

let frameAsked = false;

// A frame at the display's pace: the moving pieces between their places at the last two ticks.
// Once a frame has shown the last tick's places, frames wait for the next tick that moves.
function onFrame(at) {
  frameAsked = false;
  if (ended || $('frmZarb').hidden) return;
  tickIfDue();
  const share = zarb.zarbShareOfTick(at);
  drawMotion(share);
  if (share < 1) askFrame();
}

function askFrame() {
  if (frameAsked) return;
  frameAsked = true;
  requestAnimationFrame(onFrame);
}

// After a tick or an event: the menus and the field as they now are. While anything moves, the
// next frame places the moving pieces; a tick's result is drawn in the first frame after it.
export function refresh() {
  if ($('frmZarb').hidden) return;
  drawMenus();
  const moving = zarb.zarbMoving() === 1;
  drawField(zarb.zarbShareOfTick(performance.now()), !moving);
  if (moving) askFrame();
}

// ---- What the rules ask of the page.
const imports = {
  env: {
    pageShowMessage(title, titleLength, body, bodyLength) {
      queueBox(text(title, titleLength), text(body, bodyLength));
    },
    pageTimeOfDayMs() {
      const now = new Date();
      return ((now.getHours() * 60 + now.getMinutes()) * 60 + now.getSeconds()) * 1000 +
        now.getMilliseconds();
    },
    pageShowWindow(window, visible) {
      if (window === kGame && visible && menuEntries.length === 0) buildMenus();
      $(window === kSplash ? 'frmSplash' : 'frmZarb').hidden = !visible;
      if (window === kGame) showingGame(!!visible);
      else fitScreen();
      if (window === kSplash && visible) {
        $('cmdPlay').focus();
        performance.mark('zarb splash shown'); // how long a player waits for it
      }
      if (window === kGame && visible) document.activeElement?.blur?.();
    },
    pageProgramEnded() {
      endPage();
      stopClock();
      dropBoxes();
      $('frmSplash').hidden = true;
      $('frmZarb').hidden = true;
      showingGame(false);
      $('ended').hidden = false;
      fitScreen();
      $('again').focus();
    },
  },
  wasi_snapshot_preview1: {
    proc_exit(status) {
      throw new Error('zarb stopped with status ' + status);
    },
  },
};

// The page speaks: the scores and the status line politely, the pause text at once.
function announceField() {
  for (const id of ['lblPlayer1', 'lblWin', 'lblPlayer2']) {
    $(id).setAttribute('aria-live', 'polite');
    $(id).setAttribute('aria-atomic', 'true');
  }
  $('lblPause').setAttribute('role', 'alert');
}

function wireWindows() {
  ['cmdPlay', 'cmdInfo', 'cmdExit'].forEach((id, button) =>
    $(id).addEventListener('click', () => {
      zarb.zarbSplashButton(button);
      afterEvent();
    }));
  $('frmSplash').querySelector('.close').addEventListener('click', () => {
    zarb.zarbSplashButton(3);
    afterEvent();
  });
  $('frmZarb').querySelector('.close').addEventListener('click', () => {
    zarb.zarbCloseGameWindow();
    afterEvent();
  });
  $('msgbox').addEventListener('close', () => {
    if (!ended) afterEvent();
    showNextBox();
  });
  $('again').addEventListener('click', () => location.reload());
  document.addEventListener('keydown', onKeyDown);
  document.addEventListener('keyup', onKeyUp);
  buildField();
  announceField();
  setUpScreen();
}

async function load() {
  const response = fetch('zarb.wasm');
  let instance;
  try {
    ({ instance } = await WebAssembly.instantiateStreaming(response, imports));
  } catch {
    // A server that sends the wrong type for .wasm files: compile from the bytes.
    const wasmBytes = await (await fetch('zarb.wasm')).arrayBuffer();
    ({ instance } = await WebAssembly.instantiate(wasmBytes, imports));
  }
  setRules(instance.exports);
  zarb._initialize();
  wireWindows();
  zarb.zarbStart(performance.now());
  afterEvent();
}

// Once the page is up, its files are kept for playing with the network off.
if ('serviceWorker' in navigator) {
  // A page served without its worker still plays, online.
  addEventListener('load', () =>
    navigator.serviceWorker.register('service_worker.js').catch(() => {}));
}

load();
