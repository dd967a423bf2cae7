// What the page tests and the page's benchmark read of the field as the player sees it: a piece's
// drawn place in the field's own pixels, however the page moves it and at whatever size the
// window is drawn (a phone draws it smaller as a whole).

// Gives the page drawnPiece(name) before its own scripts run: { left, top, shown, text }.
export function readDrawnPlaces(page) {
  return page.evaluateOnNewDocument(() => {
    window.drawnPiece = (name) => {
      const element = document.getElementById(name);
      const field = document.getElementById('field');
      const box = element.getBoundingClientRect();
      const room = field.getBoundingClientRect();
      const scale = room.width / field.offsetWidth;
      return { left: (box.left - room.left) / scale, top: (box.top - room.top) / scale,
        shown: element.style.display !== 'none', text: element.textContent };
    };
  });
}

export const drawn = (page, name) => page.evaluate((id) => drawnPiece(id), name);

// Waits until the piece has stood still for a few frames, longer than a tick: what it shows once
// the last tick's move has been drawn.
export async function settled(page, name) {
  await page.waitForFunction((id) => new Promise((done) => {
    const from = drawnPiece(id);
    let frames = 0;
    const look = () => {
      const now = drawnPiece(id);
      if (now.left !== from.left || now.top !== from.top) done(false);
      else if (++frames === 4) done(true);
      else requestAnimationFrame(look);
    };
    requestAnimationFrame(look);
  }), {}, name);
  return drawn(page, name);
}

// Waits until the ball has left its place in the middle of the field: the serve.
export const served = (page) => page.waitForFunction(() =>
  Math.abs(drawnPiece('imgBall').left - 384) > 0.01, { timeout: 10000 });
