// worker.js - one render worker: its own instance of the compiled module
// (the page posts the WebAssembly.Module), rows rendered into a buffer
// that is handed back, not copied.
importScripts('lumo.js');

let core = null;
let words = null;

function text(value) {
  const size = core.lengthBytesUTF8(value) + 1;
  const p = core._malloc(size);
  core.stringToUTF8(value, p, size);
  return p;
}

function apply(newWords) {
  const p = text(newWords);
  const error = core.UTF8ToString(core._lumo_apply(p));
  core._free(p);
  words = error === '' ? newWords : null;
  return error;
}

onmessage = async e => {
  const m = e.data;
  if (m.type === 'init') {
    try {
      core = await createLumo({
        instantiateWasm(imports, receive) {
          WebAssembly.instantiate(m.module, imports).then(instance => receive(instance, m.module),
            err => postMessage({ type: 'error', message: String(err) }));
          return {};
        },
      });
      core._lumo_start();
      postMessage({ type: 'ready' });
    } catch (err) {
      postMessage({ type: 'error', message: String(err) });
    }
    return;
  }
  if (m.type === 'band' || m.type === 'whole') {
    if (m.words !== words) {
      const error = apply(m.words);
      if (error !== '') {
        postMessage({ type: 'error', gen: m.gen, message: error });
        return;
      }
    }
    const start = performance.now();
    // A band of rows, or the whole picture (graph strip and all) where
    // the projection is made whole.
    const width = m.type === 'band' ? core._lumo_width() : core._lumo_width() + (core._lumo_strip() ? 700 : 0);
    const p = m.type === 'band' ? core._lumo_rows(m.first, m.count) : core._lumo_picture();
    if (p === 0) {
      postMessage({ type: 'error', gen: m.gen, message: 'not enough memory for the picture' });
      return;
    }
    const rows = core.HEAPU8.slice(p, p + width * 4 * m.count);
    const ms = performance.now() - start;
    postMessage({ type: 'rows', gen: m.gen, first: m.first, count: m.count, width, ms, buffer: rows.buffer },
      [rows.buffer]);
  }
};
