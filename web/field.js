// The field's pieces, drawn as elements in the rules' drawing order (zarbPiece's order), each with
// its look, found by the piece's name: its label's point size, weight, alignment, colour and
// background. A piece is placed by a translation, which moves it without laying the page out
// again; its size, whether it is shown and its caption are set only when they change.
import { $, cString, zarb } from './page.js';

const kTwipsPerPixel = 15;
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

export function buildField() {
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
    const moves = zarb.zarbPieceMoves(i) === 1;
    if (moves) element.classList.add('moves');
    field.appendChild(element);
    pieces.push({ element, look, moves, place: '', size: '', visible: -1, fitted: '' });
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

function place(piece, left, top) {
  const at = `translate(${left / kTwipsPerPixel}px, ${top / kTwipsPerPixel}px)`;
  if (at === piece.place) return;
  piece.element.style.transform = at;
  piece.place = at;
}

// What the latest tick or event changed, at this share of a tick since the last tick; the
// moving pieces' places too unless a frame is coming to draw them.
export function drawField(share, placeMoving) {
  pieces.forEach((piece, i) => {
    const [left, top, width, height, visible] =
      [0, 1, 2, 3, 4].map((field) => zarb.zarbPiece(i, field, share));
    const style = piece.element.style;
    if (visible !== piece.visible) {
      style.display = visible ? '' : 'none';
      piece.visible = visible;
    }
    const size = `${width},${height}`;
    if (size !== piece.size) {
      style.width = width / kTwipsPerPixel + 'px';
      style.height = height / kTwipsPerPixel + 'px';
      piece.size = size;
    }
    if (placeMoving || !piece.moves) place(piece, left, top);
    if (!piece.look.label || !visible) return;
    const caption = cString(zarb.zarbPieceCaption(i));
    // A caption is fitted to its label while the label is shown.
    if (caption + '|' + size === piece.fitted) return;
    piece.element.replaceChildren(document.createElement('span'));
    piece.element.firstChild.textContent = caption;
    fitCaption(piece.element, piece.look.label[0]);
    piece.fitted = caption + '|' + size;
  });
}

// A frame between ticks: only the moving pieces' places.
export function drawMotion(share) {
  pieces.forEach((piece, i) => {
    if (piece.moves) place(piece, zarb.zarbPiece(i, 0, share), zarb.zarbPiece(i, 1, share));
  });
}
