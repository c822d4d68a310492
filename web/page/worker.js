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
  if (m.type === 'band') {
    if (m.words !== words) {
      const error = apply(m.words);
      if (error !== '') {
        postMessage({ type: 'error', gen: m.gen, message: error });
        return;
      }
    }
    const start = performance.now();
    const width = core._lumo_width();
    const p = core._lumo_rows(m.first, m.count);
    const rows = core.HEAPU8.slice(p, p + width * 4 * m.count);
    const ms = performance.now() - start;
    postMessage({ type: 'rows', gen: m.gen, first: m.first, count: m.count, ms, buffer: rows.buffer },
      [rows.buffer]);
  }
};
