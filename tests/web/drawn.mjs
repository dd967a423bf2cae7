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

// [frame time, the piece's drawn left edge] at every frame for a while, read after the frame's animation callbacks and
// layout, just before it is painted: a probe resized in each frame wakes a resize observer then.
export function recordDrawn(page, name, ms) {
  return page.evaluate((id, forMs) => new Promise((done) => {
    const samples = [];
    const probe = document.createElement('div');
    probe.style.cssText = 'position: fixed; left: 0; top: 0; height: 1px; pointer-events: none';
    document.body.append(probe);
    let frameAt = 0;
    let frames = 0;
    const observer = new ResizeObserver(() => {
      if (frameAt) samples.push([frameAt, drawnPiece(id).left]);
    });
    observer.observe(probe);
    const onFrame = (at) => {
      frameAt = at;
      probe.style.width = `${++frames % 2 + 1}px`;
      if (!samples.length || at - samples[0][0] <= forMs) {
        requestAnimationFrame(onFrame);
        return;
      }
      observer.disconnect();
      probe.remove();
      done(samples);
    };
    requestAnimationFrame(onFrame);
  }), name, ms);
}

// Waits until the ball has left its place in the middle of the field: the serve.
export const served = (page) => page.waitForFunction(() =>
  Math.abs(drawnPiece('imgBall').left - 384) > 0.01, { timeout: 10000 });
