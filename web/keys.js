// Keys by the key pressed, whatever the keyboard layout: the game's key codes. The keyboard and
// the on-screen keys of a touch screen both come in through onKeyDown and onKeyUp.
import { $, ended, modalOpen, zarb } from './page.js';
import { afterEvent } from './clock.js';
import { chooseItem, menuEntries, menuOpen, openMenu } from './menus.js';

const kKeyCodes = {
  Escape: 27, Quote: 222, Slash: 191, Space: 32, Enter: 13, Tab: 9, Backspace: 8,
  ShiftLeft: 16, ShiftRight: 16, ControlLeft: 17, ControlRight: 17, AltLeft: 18, AltRight: 18,
  ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, Semicolon: 186, Equal: 187,
  Comma: 188, Minus: 189, Period: 190, Backquote: 192, BracketLeft: 219, Backslash: 220,
  BracketRight: 221,
};
function keyCode(code) {
  let match = /^Key([A-Z])$/.exec(code);
  if (match) return match[1].charCodeAt(0);
  if ((match = /^Digit([0-9])$/.exec(code))) return 48 + Number(match[1]);
  if ((match = /^F([0-9]+)$/.exec(code)) && match[1] >= 1 && match[1] <= 24) {
    return 111 + Number(match[1]);
  }
  return kKeyCodes[code] || 0;
}
const kGameKeys = new Set(['KeyA', 'KeyZ', 'Quote', 'Slash', 'F1', 'F2', 'Escape']);
const shiftMask = (event) =>
  (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) | (event.altKey ? 4 : 0);
const heldCodes = new Map(); // a key-up carries the code of its key-down

function shortcutEntry(event) {
  if (!event.ctrlKey || event.altKey || event.metaKey) return -1;
  const match = /^Key([A-Z])$/.exec(event.code);
  if (!match) return -1;
  return menuEntries.findIndex((entry, i) =>
    !entry.submenu && zarb.zarbMenuState(i) >> 8 === match[1].charCodeAt(0));
}

export function onKeyDown(event) {
  if (event.code === 'F1') event.preventDefault(); // never the browser's help, splash included
  if ($('frmZarb').hidden || ended) return;
  if (modalOpen()) return; // the box has the keyboard
  if (menuOpen()) {
    if (event.code === 'Escape') openMenu(null);
    event.preventDefault();
    return;
  }
  const entry = shortcutEntry(event);
  if (entry >= 0) {
    // The shortcuts stay with the game, not the browser. One whose item can be reached runs
    // it and is no key for the field; a greyed item's key goes to the field as a plain key.
    event.preventDefault();
    if (zarb.zarbMenuState(entry) & 2) {
      chooseItem(entry);
      return;
    }
  }
  const code = keyCode(event.code);
  if (!code) return;
  // F1 and the game's other keys stay with the game too.
  if (kGameKeys.has(event.code)) event.preventDefault();
  heldCodes.set(event.code, code);
  zarb.zarbKey(1, code, shiftMask(event));
  afterEvent();
}

export function onKeyUp(event) {
  if ($('frmZarb').hidden || ended) return;
  const code = heldCodes.get(event.code) || keyCode(event.code);
  heldCodes.delete(event.code);
  // A key released while a box has the keyboard is not heard: its paddle keeps moving.
  if (!code || modalOpen() || menuOpen()) return;
  event.preventDefault();
  zarb.zarbKey(0, code, shiftMask(event));
  afterEvent();
}
