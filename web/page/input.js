// input.js - exploring with the mouse, the keys and touch.  Pointer
// positions become picture pixels; what a gesture means for the view is
// the core's (the same bounds as the window program), through `nav`:
//   nav.rect(x0, y0, x1, y1)  a dragged rectangle (a turn off the plane)
//   nav.plane()               the picture is the plane (a drag shows a band)
//   nav.zoom(x, y, factor)    zoom about a pixel (below 1: out)
//   nav.pan(dx, dy)           move the content by pixels
//   nav.back(), nav.home()
//   nav.hover(x, y)           the pointer is over pixel (x, y)

const DRAGMIN = 4;      // a drag shorter than this both ways is a click
const WHEELNOTCH = 50;  // wheel pixels that make one zoom step

export function attachInput(canvas, band, nav) {
  // The picture pixel under a client position (the canvas may be scaled).
  function pixel(clientX, clientY) {
    const r = canvas.getBoundingClientRect();
    const x = Math.floor((clientX - r.left) * canvas.width / r.width);
    const y = Math.floor((clientY - r.top) * canvas.height / r.height);
    return { x, y };
  }
  const inside = p => p.x >= 0 && p.y >= 0 && p.x < nav.width() && p.y < nav.height();
  const clamp = p => ({ x: Math.max(0, Math.min(nav.width() - 1, p.x)),
                        y: Math.max(0, Math.min(nav.height() - 1, p.y)) });

  let drag = null;
  const touches = new Map();
  let gesture = null;

  function showBand(a, b) {
    const r = canvas.getBoundingClientRect(), s = canvas.parentElement.getBoundingClientRect();
    const scale = r.width / canvas.width;
    band.style.display = 'block';
    band.style.left = (r.left - s.left + Math.min(a.x, b.x) * scale) + 'px';
    band.style.top = (r.top - s.top + Math.min(a.y, b.y) * scale) + 'px';
    band.style.width = (Math.abs(b.x - a.x) + 1) * scale + 'px';
    band.style.height = (Math.abs(b.y - a.y) + 1) * scale + 'px';
  }

  canvas.addEventListener('pointerdown', e => {
    if (e.pointerType === 'touch') {
      touches.set(e.pointerId, { x: e.clientX, y: e.clientY });
      canvas.setPointerCapture(e.pointerId);
      gesture = startGesture();
      return;
    }
    if (e.button !== 0) return;
    const p = pixel(e.clientX, e.clientY);
    if (!inside(p)) return;
    canvas.setPointerCapture(e.pointerId);
    drag = { anchor: p, reached: p };
  });

  canvas.addEventListener('pointermove', e => {
    if (e.pointerType === 'touch') {
      if (touches.has(e.pointerId)) touches.set(e.pointerId, { x: e.clientX, y: e.clientY });
      return;
    }
    const p = pixel(e.clientX, e.clientY);
    if (inside(p)) nav.hover(p.x, p.y);
    if (drag) {
      drag.reached = clamp(p);
      if (nav.plane()) showBand(drag.anchor, drag.reached);
    }
  });

  canvas.addEventListener('pointerup', e => {
    if (e.pointerType === 'touch') {
      endGesture();
      touches.delete(e.pointerId);
      gesture = touches.size ? startGesture() : null;
      return;
    }
    if (!drag || e.button !== 0) return;
    const { anchor } = drag;
    const reached = clamp(pixel(e.clientX, e.clientY));
    drag = null;
    band.style.display = 'none';
    if (Math.abs(reached.x - anchor.x) < DRAGMIN && Math.abs(reached.y - anchor.y) < DRAGMIN) return;
    nav.rect(anchor.x, anchor.y, reached.x, reached.y);
  });

  canvas.addEventListener('pointercancel', e => {
    touches.delete(e.pointerId);
    gesture = null;
    drag = null;
    band.style.display = 'none';
  });

  // One zoom step a wheel notch: a touchpad's stream of small deltas is
  // summed until it makes a notch's worth (about 100 pixels, 3 lines).
  let wheelSum = 0;
  canvas.addEventListener('wheel', e => {
    e.preventDefault();
    wheelSum += e.deltaY * (e.deltaMode === 1 ? 33 : e.deltaMode === 2 ? 800 : 1);
    if (Math.abs(wheelSum) < WHEELNOTCH) return;
    const factor = wheelSum < 0 ? 1.5 : 1 / 1.5;
    wheelSum = 0;
    const p = pixel(e.clientX, e.clientY);
    if (inside(p)) nav.zoom(p.x, p.y, factor);
  }, { passive: false });

  canvas.addEventListener('contextmenu', e => {
    e.preventDefault();
    const p = pixel(e.clientX, e.clientY);
    if (inside(p)) nav.zoom(p.x, p.y, 0.5);
  });

  window.addEventListener('keydown', e => {
    const typing = e.target instanceof HTMLInputElement || e.target instanceof HTMLSelectElement ||
      e.target instanceof HTMLTextAreaElement;
    if (typing || e.ctrlKey || e.altKey || e.metaKey) return;
    if (e.key === 'Backspace') { e.preventDefault(); nav.back(); }
    if (e.key === 'Home') { e.preventDefault(); nav.home(); }
  });

  // Touch: one finger pans, two pinch about their middle.  The picture
  // follows the fingers with a transform; the new view renders when the
  // gesture ends.
  function points() { return [...touches.values()]; }
  function startGesture() {
    const pts = points();
    canvas.style.transform = '';
    if (pts.length === 1) return { kind: 'pan', start: pts[0] };
    if (pts.length === 2) return { kind: 'pinch', a: pts[0], b: pts[1] };
    return null;
  }
  function endGesture() {
    const pts = points();
    const g = gesture;
    gesture = null;
    canvas.style.transform = '';
    if (!g) return;
    const scale = canvas.width / canvas.getBoundingClientRect().width;
    if (g.kind === 'pan' && pts.length === 1) {
      const dx = (pts[0].x - g.start.x) * scale, dy = (pts[0].y - g.start.y) * scale;
      if (Math.abs(dx) >= DRAGMIN || Math.abs(dy) >= DRAGMIN) nav.pan(dx, dy);
    } else if (g.kind === 'pinch' && pts.length === 2) {
      const d0 = Math.hypot(g.a.x - g.b.x, g.a.y - g.b.y), d1 = Math.hypot(pts[0].x - pts[1].x, pts[0].y - pts[1].y);
      if (d0 > 0 && d1 > 0 && Math.abs(d1 / d0 - 1) > 0.02) {
        const c = pixel((g.a.x + g.b.x) / 2, (g.a.y + g.b.y) / 2);
        nav.zoom(clamp(c).x, clamp(c).y, d1 / d0);
      }
    }
  }
  canvas.addEventListener('touchmove', e => {
    e.preventDefault();
    const pts = points();
    if (gesture && gesture.kind === 'pan' && pts.length === 1)
      canvas.style.transform = `translate(${pts[0].x - gesture.start.x}px, ${pts[0].y - gesture.start.y}px)`;
    else if (gesture && gesture.kind === 'pinch' && pts.length === 2) {
      const d0 = Math.hypot(gesture.a.x - gesture.b.x, gesture.a.y - gesture.b.y);
      const d1 = Math.hypot(pts[0].x - pts[1].x, pts[0].y - pts[1].y);
      if (d0 > 0) canvas.style.transform = `scale(${d1 / d0})`;
    }
  }, { passive: false });
}
