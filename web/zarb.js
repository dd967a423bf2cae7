// The page's side of the game: loads the rules (zarb.wasm), feeds them the 64 Hz clock, the
// keys, the menus and the splash's buttons, and draws what they hold after every event.
'use strict';

(() => {
  const kTwipsPerPixel = 15;
  const kSplash = 0;
  const kGame = 1;
  const $ = (id) => document.getElementById(id);

  let zarb = null; // the rules' exports
  let ended = false;

  // Strings the rules hand over live in their memory, which may move when it grows.
  const decoder = new TextDecoder();
  const bytes = () => new Uint8Array(zarb.memory.buffer);
  const text = (pointer, length) => decoder.decode(bytes().subarray(pointer, pointer + length));
  const cString = (pointer) => text(pointer, bytes().indexOf(0, pointer) - pointer);

  // ---- The clock: the rules set its pace (a tick on every deadline 15.625 ms after the last,
  // no burst of missed ticks after the tab was hidden, no wake-up while no timer is enabled);
  // the page only sets its timeout for the wait they ask for.
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
  function afterEvent() {
    if (ended) return;
    refresh();
    if (!clockTimer) sleepFor(zarb.zarbClockResume(performance.now()));
  }

  // ---- The field's pieces, drawn as positioned elements in the rules' drawing order (zarbPiece's
  // order), each with its look, found by the piece's name: its label's point size, weight,
  // alignment, colour and background.
  const kRed = '#ff0000';
  const kPieceLooks = [
    { name: 'lblLevel', label: [30, false, 'center', kRed, ''] },
    { name: 'shpObstacle', fill: 'rgb(192, 255, 255)' },
    { name: 'imgBall2', picture: 'ball.gif' },
    { name: 'imgBall', picture: 'ball.gif' },
    { name: 'lblPause', label: [90, false, 'center', kRed, ''] },
    { name: 'imgRight', picture: 'paddle.gif' },
    { name: 'imgLeft', picture: 'paddle.gif' },
    { name: 'lblLabel', label: [12, false, 'left', '#000', kRed] }, // the red score bar
    { name: 'lblWin', label: [13.5, true, 'center', '#000', '#fff'] },
    { name: 'lblPlayer1', label: [12, true, 'left', '#000', '#fff'] },
    { name: 'lblPlayer2', label: [12, true, 'left', '#000', '#fff'] },
  ];
  const pieces = [];

  function buildField() {
    const field = $('field');
    for (let i = 0; i < zarb.zarbPieces(); ++i) {
      const name = cString(zarb.zarbPieceName(i));
      const look = kPieceLooks.find((each) => each.name === name);
      if (!look) throw new Error('the page has no look for ' + name);
      let element;
      if (look.picture) {
        element = document.createElement('img');
        element.src = look.picture;
        element.alt = '';
      } else {
        element = document.createElement('div');
        if (look.fill) element.style.background = look.fill;
      }
      if (look.label) {
        const [points, bold, align, colour, background] = look.label;
        element.className = 'label';
        Object.assign(element.style, {
          fontWeight: bold ? 'bold' : 'normal',
          textAlign: align,
          color: colour,
          background: background || 'transparent',
        });
        element.dataset.points = points;
      }
      element.id = look.name;
      field.appendChild(element);
      pieces.push({ element, look, drawn: '' });
    }
  }

  // The labels' face, in ems: ascent and descent together, and the gap between two lines. The
  // page sets lines 1.15 ems apart, as the desktop does, and lifts them by half the gap so
  // that the first line's top is the label's top.
  const kFaceHeight = 1.117;
  const kFaceGap = 0.033;

  // A caption that would not fit its label is drawn smaller rather than clipped. It fits when
  // its lines and the gaps between them do, the last line needing no gap below it.
  function fitCaption(element, points) {
    for (let scale = 1; scale > 0.3; scale -= 0.05) {
      const size = Math.floor((points * 96 / 72) * scale);
      element.style.fontSize = size + 'px';
      const lines = Math.max(1, element.firstChild.getClientRects().length);
      const height = size * (lines * kFaceHeight + (lines - 1) * kFaceGap);
      const fits = height <= element.clientHeight + 0.5 &&
        element.scrollWidth <= element.clientWidth + 0.5;
      if (fits) break;
    }
  }

  function drawField() {
    pieces.forEach((piece, i) => {
      const values = [0, 1, 2, 3, 4].map((field) => zarb.zarbPiece(i, field));
      const caption = piece.look.label ? cString(zarb.zarbPieceCaption(i)) : '';
      const state = values.join() + '|' + caption;
      if (state === piece.drawn) return;
      const [left, top, width, height, visible] = values;
      const style = piece.element.style;
      style.display = visible ? '' : 'none';
      style.left = left / kTwipsPerPixel + 'px';
      style.top = top / kTwipsPerPixel + 'px';
      style.width = width / kTwipsPerPixel + 'px';
      style.height = height / kTwipsPerPixel + 'px';
      if (piece.look.label && visible) {
        piece.element.replaceChildren(document.createElement('span'));
        piece.element.firstChild.textContent = caption;
        fitCaption(piece.element, piece.look.label[0]);
      }
      piece.drawn = state;
    });
  }

  // ---- The menu bar, built from the rules' own list of headings and items.
  const menuEntries = []; // per entry: { element, parent, submenu, state as last drawn }
  let openHeading = null;

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

  function buildMenus() {
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
          if (openHeading && openHeading !== entry) openMenu(entry);
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

  function openMenu(entry) {
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

  function chooseItem(i) {
    openMenu(null);
    if (ended || modalOpen()) return;
    zarb.zarbMenuClick(i);
    afterEvent();
  }

  function drawMenus() {
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

  function refresh() {
    if (!$('frmZarb').hidden) {
      drawMenus();
      drawField();
    }
  }

  // ---- Keys by the key pressed, whatever the keyboard layout: the game's key codes.
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

  function onKeyDown(event) {
    if (event.code === 'F1') event.preventDefault(); // never the browser's help, splash included
    if ($('frmZarb').hidden || ended) return;
    if (modalOpen()) return; // the box has the keyboard
    if (openHeading) {
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

  function onKeyUp(event) {
    if ($('frmZarb').hidden || ended) return;
    const code = heldCodes.get(event.code) || keyCode(event.code);
    heldCodes.delete(event.code);
    // A key released while a box has the keyboard is not heard: its paddle keeps moving.
    if (!code || modalOpen() || openHeading) return;
    event.preventDefault();
    zarb.zarbKey(0, code, shiftMask(event));
    afterEvent();
  }

  // ---- Message boxes: the rules go on at once; the page shows the boxes one after another.
  const boxes = [];
  const modalOpen = () => $('msgbox').open;

  // The texts line their last column up with tabs for some face; ours is another, so the tab
  // stop is the narrowest, from four average character widths up, that keeps that column.
  function fittingTabStop(lines, element) {
    const context = document.createElement('canvas').getContext('2d');
    context.font = getComputedStyle(element).font;
    const width = (s) => context.measureText(s).width;
    const average = width('abcdefghijklmnopqrstuvwxyz') / 26;
    const halfSpace = width(' ') / 2;
    const lastColumn = (line, stop) => {
      let x = 0;
      let column = 0;
      line.split('\t').forEach((piece, i) => {
        if (i > 0) {
          // The browser skips a stop that lies closer than half a blank.
          const next = (Math.floor(x / stop) + 1) * stop;
          x = next - x < halfSpace ? next + stop : next;
        }
        column = x;
        x += width(piece);
      });
      return column;
    };
    const tabbed = lines.filter((line) => line.includes('\t'));
    for (let stop = Math.round(4 * average); stop <= 16 * average; ++stop) {
      const columns = tabbed.map((line) => lastColumn(line, stop));
      if (columns.every((column) => column === columns[0])) return stop;
    }
    return Math.round(8 * average);
  }

  function showNextBox() {
    if (modalOpen() || boxes.length === 0 || ended) return;
    const { title, body } = boxes.shift();
    const box = $('msgbox');
    box.querySelector('.caption span').textContent = title;
    box.setAttribute('aria-label', title);
    const area = box.querySelector('.text');
    area.replaceChildren();
    const lines = body.split('\r\n');
    lines.forEach((line) => {
      const row = document.createElement('div');
      row.textContent = line;
      area.appendChild(row);
    });
    openMenu(null);
    box.showModal();
    area.style.tabSize = fittingTabStop(lines, area) + 'px';
    box.querySelector('.ok').focus();
  }

  // ---- What the rules ask of the page.
  const imports = {
    env: {
      pageShowMessage(title, titleLength, body, bodyLength) {
        boxes.push({ title: text(title, titleLength), body: text(body, bodyLength) });
        // Shown once the handler has returned, when the page has drawn what it changed.
        setTimeout(showNextBox, 0);
      },
      pageTimeOfDayMs() {
        const now = new Date();
        return ((now.getHours() * 60 + now.getMinutes()) * 60 + now.getSeconds()) * 1000 +
          now.getMilliseconds();
      },
      pageShowWindow(window, visible) {
        if (window === kGame && visible && menuEntries.length === 0) buildMenus();
        $(window === kSplash ? 'frmSplash' : 'frmZarb').hidden = !visible;
        if (window === kSplash && visible) {
          $('cmdPlay').focus();
          performance.mark('zarb splash shown'); // how long a player waits for it
        }
        if (window === kGame && visible) document.activeElement?.blur?.();
      },
      pageProgramEnded() {
        ended = true;
        clearTimeout(clockTimer);
        clockTimer = 0;
        boxes.length = 0;
        if (modalOpen()) $('msgbox').close();
        $('frmSplash').hidden = true;
        $('frmZarb').hidden = true;
        $('ended').hidden = false;
        $('again').focus();
      },
    },
    wasi_snapshot_preview1: {
      proc_exit(status) {
        throw new Error('zarb stopped with status ' + status);
      },
    },
  };

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
    zarb = instance.exports;
    zarb._initialize();
    wireWindows();
    zarb.zarbStart(performance.now());
    afterEvent();
  }

  load();
})();
