// Message boxes: the rules go on at once; the page shows the boxes one after another, each
// announced as an alert dialog with its title and text.
import { $, ended, modalOpen } from './page.js';
import { openMenu } from './menus.js';
import { fitScreen } from './screen.js';

const boxes = [];

export function queueBox(title, body) {
  boxes.push({ title, body });
  // Shown once the handler has returned, when the page has drawn what it changed.
  setTimeout(showNextBox, 0);
}

export function dropBoxes() {
  boxes.length = 0;
  if (modalOpen()) $('msgbox').close();
}

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

export function showNextBox() {
  if (modalOpen() || boxes.length === 0 || ended) return;
  const { title, body } = boxes.shift();
  const box = $('msgbox');
  box.querySelector('.caption span').textContent = title;
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
  fitScreen();
  box.querySelector('.ok').focus();
}
