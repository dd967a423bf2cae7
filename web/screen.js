// Every screen: a window that fits the room it has keeps its designed size; one that does not is
// drawn smaller by one factor, menu bar, field, pictures and text together, centred. On a touch
// screen the game window makes room for the on-screen keys.
import { $, modalOpen } from './page.js';
import { buildTouchKeys } from './touch_keys.js';

function fit(element, width, height) {
  if (element.hidden) return;
  const scale = Math.min(1, width / element.offsetWidth, height / element.offsetHeight);
  element.style.transform = scale < 1 ? `scale(${scale})` : '';
}

export function fitScreen() {
  const stage = $('stage');
  for (const id of ['frmSplash', 'frmZarb', 'ended']) {
    fit($(id), stage.clientWidth, stage.clientHeight);
  }
  // A box stands over the whole page, keys included.
  const page = document.documentElement;
  if (modalOpen()) fit($('msgbox'), page.clientWidth, page.clientHeight);
}

// The game window is shown or hidden: the touch keys come and go with it.
export function showingGame(visible) {
  document.body.classList.toggle('playing', visible);
  fitScreen();
}

const touchScreen = () =>
  navigator.maxTouchPoints > 0 || matchMedia('(any-pointer: coarse)').matches;

export function setUpScreen() {
  if (touchScreen()) {
    document.body.classList.add('touch');
    buildTouchKeys();
  }
  addEventListener('resize', fitScreen);
  visualViewport?.addEventListener('resize', fitScreen);
}
