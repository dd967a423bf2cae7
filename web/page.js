// What every part of the page shares: the rules' exports once they are loaded, whether the
// program has ended, and the strings the rules hand over.
export const $ = (id) => document.getElementById(id);

export let zarb = null; // the rules' exports
export let ended = false;

export function setRules(exports) {
  zarb = exports;
}

export function endPage() {
  ended = true;
}

// A box is open: it has the keyboard, and the menus and keys wait for it.
export const modalOpen = () => $('msgbox').open;

// Strings the rules hand over live in their memory, which may move when it grows.
const decoder = new TextDecoder();
const bytes = () => new Uint8Array(zarb.memory.buffer);
export const text = (pointer, length) =>
  decoder.decode(bytes().subarray(pointer, pointer + length));
export const cString = (pointer) => text(pointer, bytes().indexOf(0, pointer) - pointer);
