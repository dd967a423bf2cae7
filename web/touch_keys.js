// The on-screen keys of a touch screen, outside the field: A and Z at the left edge for Player 1,
// ' and / at the right for Player 2, and F1, F2 and Esc. A finger on a key is that key held down
// and lifting it (or sliding off, or the touch being cancelled) lets it go, through the same
// handlers as the keyboard, so a held key moves its paddle just as a held keyboard key does.
// Every finger holds its own key: two players play on one tablet.
import { onKeyDown, onKeyUp } from './keys.js';

const kTouchKeys = [
  { code: 'KeyA', caption: 'A', name: 'Player 1 up', pad: 'left' },
  { code: 'KeyZ', caption: 'Z', name: 'Player 1 down', pad: 'left' },
  { code: 'F1', caption: 'F1', name: 'New Game', pad: 'commands' },
  { code: 'F2', caption: 'F2', name: 'End Game', pad: 'commands' },
  { code: 'Escape', caption: 'Esc', name: 'Pause', pad: 'commands' },
  { code: 'Quote', caption: "'", name: 'Player 2 up', pad: 'right' },
  { code: 'Slash', caption: '/', name: 'Player 2 down', pad: 'right' },
];

const held = new Map(); // per finger (pointer id), the key it holds

// What the keyboard would hand over for that key, with no Shift, Ctrl or Alt.
const keyEvent = (code) => ({
  code, shiftKey: false, ctrlKey: false, altKey: false, metaKey: false, preventDefault() {},
});

function press(key, pointer) {
  if (held.get(pointer) === key) return;
  held.set(pointer, key);
  key.classList.add('held');
  onKeyDown(keyEvent(key.dataset.key));
}

function release(key, pointer) {
  if (held.get(pointer) !== key) return;
  held.delete(pointer);
  if (![...held.values()].includes(key)) key.classList.remove('held');
  onKeyUp(keyEvent(key.dataset.key));
}

function wireKey(key) {
  key.addEventListener('pointerdown', (event) => {
    event.preventDefault(); // no focus, no mouse events, no zoom
    // A touch is held by the element it began on; let it go, so that sliding off lets the
    // key go.
    if (key.hasPointerCapture(event.pointerId)) key.releasePointerCapture(event.pointerId);
    press(key, event.pointerId);
  });
  // A finger that slides onto a key presses it: one thumb rocks between A and Z.
  key.addEventListener('pointerenter', (event) => {
    if (event.buttons & 1 && event.pointerType !== 'mouse') press(key, event.pointerId);
  });
  key.addEventListener('pointerleave', (event) => release(key, event.pointerId));
  key.addEventListener('contextmenu', (event) => event.preventDefault());
  // A screen reader activates a key without a finger on it: a press and a release.
  key.addEventListener('click', (event) => {
    if (event.pointerType || event.detail > 0) return;
    onKeyDown(keyEvent(key.dataset.key));
    onKeyUp(keyEvent(key.dataset.key));
  });
}

export function buildTouchKeys() {
  const keys = document.createElement('div');
  keys.id = 'touchKeys';
  const pads = {};
  for (const pad of ['left', 'commands', 'right']) {
    pads[pad] = document.createElement('div');
    pads[pad].className = `pad ${pad}`;
    keys.appendChild(pads[pad]);
  }
  for (const { code, caption, name, pad } of kTouchKeys) {
    const key = document.createElement('button');
    key.type = 'button';
    key.className = 'key';
    key.tabIndex = -1;
    key.dataset.key = code;
    key.setAttribute('aria-label', `${caption}: ${name}`);
    key.textContent = caption;
    if (pad === 'commands') {
      const hint = document.createElement('small');
      hint.textContent = name;
      key.appendChild(hint);
    }
    wireKey(key);
    pads[pad].appendChild(key);
  }
  document.body.appendChild(keys);
  // A finger lifted wherever it is lets its key go, also while a box keeps the keys from
  // hearing it (the game then does not hear the key go up, as with the keyboard).
  for (const type of ['pointerup', 'pointercancel']) {
    document.addEventListener(type, (event) => {
      const key = held.get(event.pointerId);
      if (key) release(key, event.pointerId);
    }, true);
  }
}
