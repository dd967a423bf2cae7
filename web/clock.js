// The clock: the rules set its pace (a tick on every deadline 15.625 ms after the last, no burst
// of missed ticks after the tab was hidden, no wake-up while no timer is enabled); the page only
// sets its timeout for the wait they ask for.
import { ended, zarb } from './page.js';
import { refresh } from './zarb.js';

let clockTimer = 0;

function sleepFor(wait) {
  clockTimer = wait < 0 ? 0 : setTimeout(onClock, wait);
}

function onClock() {
  clockTimer = 0;
  if (ended) return;
  sleepFor(zarb.zarbClockWoke(performance.now()));
  refresh();
}

// After anything the rules did: draw, and wake the clock if a timer was enabled while it slept.
export function afterEvent() {
  if (ended) return;
  refresh();
  if (!clockTimer) sleepFor(zarb.zarbClockResume(performance.now()));
}

// A frame is about to be drawn while a tick is due whose timeout has not fired yet (the page was
// busy with keys, say): the tick is made first, so that the frame shows it, never later.
export function tickIfDue() {
  if (clockTimer && !ended && zarb.zarbClockDue(performance.now())) {
    clearTimeout(clockTimer);
    onClock();
  }
}

export function stopClock() {
  clearTimeout(clockTimer);
  clockTimer = 0;
}
