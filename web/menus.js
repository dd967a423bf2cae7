// The menu bar, built from the rules' own list of headings and items, opened with the pointer or
// by tapping, and the Ctrl shortcuts of its items.
import { $, cString, ended, modalOpen, zarb } from './page.js';
import { afterEvent } from './clock.js';

export const menuEntries = []; // per entry: { element, parent, submenu, state as last drawn }
let openHeading = null;
// A tap brings the pointer onto a heading just before it presses it: only a mouse that moves
// onto another heading while a menu is open opens that one.
let touching = false;
document.addEventListener('pointerdown', (event) => {
  touching = event.pointerType === 'touch';
}, true);

function captionWithAccessKey(caption, into) {
  const at = caption.indexOf('&');
  if (at < 0 || at + 1 >= caption.length) {
    into.textContent = caption;
    return;
  }
  const key = document.createElement('u');
  key.textContent = caption[at + 1];
  into.append(caption.slice(0, at), key, caption.slice(at + 2));
}

export function buildMenus() {
  const count = zarb.zarbMenuEntries();
  for (let i = 0; i < count; ++i) {
    const parent = zarb.zarbMenuParent(i);
    const state = zarb.zarbMenuState(i);
    const caption = cString(zarb.zarbMenuCaption(i));
    const entry = { parent, state: -1 };
    const isHeading = parent < 0 || hasChildren(i, count);
    if (parent < 0) {
      entry.element = document.createElement('div');
      entry.element.className = 'heading';
      entry.element.setAttribute('role', 'menuitem');
      entry.element.innerHTML = '<span class="label"></span>';
      entry.element.addEventListener('mousedown', (event) => {
        event.preventDefault();
        if (entry.submenu.contains(event.target)) return; // a press inside its own menu
        if (!modalOpen()) openMenu(openHeading === entry ? null : entry);
      });
      entry.element.addEventListener('mouseenter', () => {
        if (!touching && openHeading && openHeading !== entry) openMenu(entry);
      });
      $('menubar').appendChild(entry.element);
    } else {
      const host = menuEntries[parent].submenu;
      if (state & 8) {
        const line = document.createElement('div');
        line.className = 'separator';
        host.appendChild(line);
      }
      entry.element = document.createElement('div');
      entry.element.className = 'item';
      entry.element.setAttribute('role', 'menuitem');
      entry.element.innerHTML =
        '<span class="mark"></span><span class="label"></span><span class="keys"></span>';
      const shortcut = state >> 8;
      if (shortcut) entry.element.lastChild.textContent = 'Ctrl+' + String.fromCharCode(shortcut);
      host.appendChild(entry.element);
      if (isHeading) {
        entry.element.lastChild.textContent = '\u25b8';
        entry.element.addEventListener('mouseenter', () => showSubmenu(entry, true));
        entry.element.addEventListener('mouseleave', () => showSubmenu(entry, false));
      } else {
        // A greyed item stays open and does nothing, as on the desktop.
        entry.element.addEventListener('mouseup', () => {
          if (entry.state & 2) chooseItem(i);
        });
      }
    }
    if (isHeading) {
      entry.submenu = document.createElement('div');
      entry.submenu.className = 'menu';
      entry.submenu.setAttribute('role', 'menu');
      entry.submenu.hidden = true;
      entry.element.appendChild(entry.submenu);
    }
    captionWithAccessKey(caption, entry.element.querySelector('.label'));
    menuEntries.push(entry);
  }
  document.addEventListener('mousedown', (event) => {
    if (openHeading && !$('menubar').contains(event.target)) openMenu(null);
  });
}

function hasChildren(entry, count) {
  for (let i = entry + 1; i < count; ++i) if (zarb.zarbMenuParent(i) === entry) return true;
  return false;
}

function showSubmenu(entry, shown) {
  entry.submenu.hidden = !shown || !(entry.state & 2);
}

export function openMenu(entry) {
  if (openHeading) {
    openHeading.element.classList.remove('open');
    openHeading.submenu.hidden = true;
    menuEntries.forEach((each) => {
      if (each.submenu && each.parent >= 0) each.submenu.hidden = true;
    });
  }
  openHeading = entry;
  if (entry) {
    entry.element.classList.add('open');
    entry.submenu.hidden = false;
  }
}

export function chooseItem(i) {
  openMenu(null);
  if (ended || modalOpen()) return;
  zarb.zarbMenuClick(i);
  afterEvent();
}

export function drawMenus() {
  menuEntries.forEach((entry, i) => {
    const state = zarb.zarbMenuState(i);
    if (state === entry.state) return;
    entry.state = state;
    entry.element.classList.toggle('disabled', !(state & 2));
    entry.element.setAttribute('aria-disabled', String(!(state & 2)));
    if (entry.parent >= 0 && !entry.submenu) {
      entry.element.firstChild.textContent = state & 1 ? '\u2713' : '';
      if (state & 4) {
        entry.element.setAttribute('role', 'menuitemcheckbox');
        entry.element.setAttribute('aria-checked', String(!!(state & 1)));
      }
    }
  });
}

export const menuOpen = () => openHeading !== null;
