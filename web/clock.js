// The clock: a tick on every deadline 15.625 ms after the last, none while no timer is enabled,
// and no burst of missed ticks after the tab was hidden.
import { ended, zarb } from './page.js';
import { refresh } from './zarb.js';

const kTickMs = 15.625;

let deadline = 0;
let clockTimer = 0;

function schedule() {
  clockTimer = setTimeout(onClock, Math.max(0, Math.ceil(deadline - performance.now())));
}

function onClock() {
  clockTimer = 0;
  if (ended) return;
  const now = performance.now();
  if (now < deadline) {
    schedule(); // woke early
    return;
  }
  deadline += kTickMs;
  if (now >= deadline) deadline = now + kTickMs; // behind by a tick or more: start afresh
  zarb.zarbTick();
  afterEvent();
}

// After anything the rules did: draw, then let the clock sleep or wake.
export function afterEvent() {
  if (ended) return;
  refresh();
  const needed = zarb.zarbAnyTimerEnabled() !== 0;
  if (needed && !clockTimer) {
    if (deadline < performance.now()) deadline = performance.now() + kTickMs;
    schedule();
  } else if (!needed && clockTimer) {
    clearTimeout(clockTimer);
    clockTimer = 0;
  }
}

export function stopClock() {
  clearTimeout(clockTimer);
  clockTimer = 0;
}
