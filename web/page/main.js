// main.js - the page: the compiled core on the main thread (settings,
// views, readout, PNG chunks), the workers that render, the controls and
// the URL hash.  Nothing here computes a pixel or a view.
import { parseHash, hashOf, wordsOf, fieldsOfCoreWords, getField, withField } from './state.js';
import { Picture, download } from './canvas.js';
import { WorkerPool } from './workers.js';
import { attachInput } from './input.js';
import { ParamRows } from './params.js';

const MAXTEXT = 4096;
const STRIPLEFT = 600, STRIPWIDTH = 700;
const $ = id => document.getElementById(id);
const body = document.body;
const page = { times: {}, renders: 0 };
window.lumoPage = page;

let core = null, pool = null, picture = null, params = null;
let current = [];          // the settings now, as the core writes them
let sizeFit = true;        // the size follows the window
let writtenHash = null;    // the hash this page wrote last
let gen = 0;
const notes = [];

// loading, rendering, done or error; a picture is saved only once done.
function setState(state) {
  body.dataset.state = state;
  $('save').disabled = state !== 'done';
}
function say(lines) { $('message').textContent = lines.join('\n'); }
function fail(text) {
  if (pool) pool.cancel();
  say([text]);
  setState('error');
}
window.addEventListener('error', e => fail('Something went wrong in the page: ' + e.message));
window.addEventListener('unhandledrejection', e => fail('Something went wrong in the page: ' + (e.reason && e.reason.message || e.reason)));

// --- the core ------------------------------------------------------------

function instantiate(module) {
  return createLumo({
    instantiateWasm(imports, receive) {
      WebAssembly.instantiate(module, imports).then(instance => receive(instance, module));
      return {};
    },
  });
}

// Calls an exported function; string arguments are passed as C texts and
// a returned pointer is read as text when asText.
function call(name, args, asText) {
  const held = [];
  const cargs = args.map(a => {
    if (typeof a !== 'string') return a;
    const size = core.lengthBytesUTF8(a) + 1;
    const p = core._malloc(size);
    core.stringToUTF8(a, p, size);
    held.push(p);
    return p;
  });
  const result = core['_lumo_' + name](...cargs);
  held.forEach(p => core._free(p));
  return asText ? core.UTF8ToString(result) : result;
}
const text = (name, ...args) => call(name, args, true);
const num = (name, ...args) => call(name, args, false);
function viewOf(pointer) {
  const v = new Float64Array(core.HEAPU8.buffer, pointer, 4);
  return [...v].map(x => text('number', x));
}

// --- settings --------------------------------------------------------------

// The size that fills the window below the controls.
function fitSize() {
  const top = $('stage').getBoundingClientRect().top + window.scrollY;
  const w = Math.floor(document.documentElement.clientWidth);
  const h = Math.floor(window.innerHeight - top - $('readout').offsetHeight);
  const clamp = v => String(Math.max(32, Math.min(9600, v)));
  return [clamp(w), clamp(h)];
}

// Makes the settings those of `fields`: a field the core refuses is named
// in a message and left at its default.  Returns the messages.
function settle(fields) {
  const messages = [];
  const expr = getField(fields, 'expr');
  if (expr && expr[0].length > MAXTEXT) {
    messages.push(`The function text is ${expr[0].length} characters long; at most ${MAXTEXT} are allowed, so the default function is shown.`);
    fields = withField(fields, 'expr', null);
  }
  if (sizeFit && !getField(fields, 'size') && !getField(fields, 'graph'))
    fields = withField(fields, 'size', fitSize());
  if (text('apply', wordsOf(fields)) !== '') {
    // Field by field, each over those accepted so far.
    let good = [];
    for (const f of fields) {
      const error = text('apply', wordsOf([...good, f]));
      if (error === '') good.push(f);
      else messages.push(`The setting "${f.name}" cannot be used (${error}); its default is used instead.`);
    }
    if (sizeFit && !getField(good, 'size') && !getField(good, 'graph'))
      good = withField(good, 'size', fitSize());
    if (text('apply', wordsOf(good)) !== '') text('apply', '');
  }
  const note = text('note');
  if (note !== '') messages.push(note.replace(/^note: /, 'Note: '));
  current = fieldsOfCoreWords(text('words'));
  // The words as written must make the same settings: apply them so that
  // this instance and the workers hold exactly the same.
  const again = text('apply', wordsOf(current));
  if (again !== '') messages.push('The settings could not be written back: ' + again);
  return messages;
}

// Each entry of the page's history notes how many views lie before it in
// this page (so that going back never leaves the page) and whether its
// size follows the window.
const depth = () => (history.state && history.state.depth) || 0;
function writeHash(push) {
  const hash = hashOf(current);
  writtenHash = hash;
  if (push && location.hash !== hash) history.pushState({ depth: depth() + 1, fit: sizeFit }, '', hash);
  else history.replaceState({ depth: depth(), fit: sizeFit }, '', hash);
}

// Applies fields, shows them in the controls and the hash, renders.
function change(fields, push, extra = []) {
  const messages = [...extra, ...settle(fields)];
  say(messages);
  showControls();
  writeHash(push);
  render();
}

// --- rendering ---------------------------------------------------------------

function render() {
  const myGen = ++gen;
  const width = num('width'), height = num('height'), strip = num('strip'), whole = !num('bands');
  picture.begin(width + (strip ? STRIPWIDTH + STRIPLEFT - width : 0), height);
  setState('rendering');
  const start = performance.now();
  pool.render({ gen: myGen, words: wordsOf(current), width, height, whole },
    (first, count, rgba, bandWidth) => {
      picture.put(0, first, bandWidth, count, rgba);
      picture.rowsDone(count);
    },
    () => {
      if (strip && !whole) {
        const p = num('strip_pixels');
        const rgba = new Uint8ClampedArray(core.HEAPU8.slice(p, p + STRIPWIDTH * 4 * height).buffer);
        picture.put(STRIPLEFT, 0, STRIPWIDTH, height, rgba);
      }
      page.renderMs = performance.now() - start;
      page.renders++;
      if (page.times.firstPicture === undefined) page.times.firstPicture = performance.now();
      body.dataset.renders = String(page.renders);
      setState('done');
      params.rendered();
    },
    message => fail('The picture could not be rendered: ' + message));
}

// --- controls ----------------------------------------------------------------

// The sphere's and the landscape's own fields, shown with their projection.
const PROJFIELDS = ['center', 'camera', 'height', 'height-limit', 'shade'];
const FIELDS = ['map', 'grid', 'brightness', 'escape', 'maxiter', 'bailout', 'exponent', 'julia',
  'abs-limit', 'grid-width', 'grid-extent', 'view', 'size', ...PROJFIELDS];

// A control's text as option values: commas separate them; the centre
// at infinity may be typed as one word.
function valuesOf(name) {
  const typed = $(name).value.trim();
  if (name === 'center' && /^(inf|infinity|∞)$/i.test(typed)) return ['inf', 'inf'];
  return typed.split(',').map(s => s.trim());
}
const shownValue = (name, values) => (name === 'center' && values.join() === 'inf,inf' ? '∞' : values.join(','));

// The typed function's parameters, {name, value} from the param fields
// (NAME=VALUE, one field each, as lumo render takes them).
function paramsOf(fields) {
  return fields.filter(f => f.name === 'param').map(f => {
    const eq = f.values[0].indexOf('=');
    return { name: f.values[0].slice(0, eq), value: f.values[0].slice(eq + 1) };
  });
}

// Sets one parameter: '' when the core takes the value (and renders),
// else its complaint, leaving the settings as they were.
function setParam(name, value) {
  const fields = current.map(f => (f.name === 'param' && f.values[0].startsWith(name + '=')
    ? { name: 'param', values: [`${name}=${value}`] } : f));
  const error = text('apply', wordsOf(fields));
  if (error !== '') {
    text('apply', wordsOf(current));
    return error;
  }
  change(fields, false);
  return '';
}

function showControls() {
  const f = Number(getField(current, 'formula')[0]);
  $('formula').value = String(f);
  const expr = getField(current, 'expr');
  if (document.activeElement !== $('expr')) $('expr').value = expr ? expr[0] : '';
  for (const name of FIELDS) {
    const v = getField(current, name);
    $(name).value = v ? shownValue(name, v) : '';
    $(name).disabled = v === null;
  }
  for (const name of PROJFIELDS) $(name).closest('label').hidden = $(name).disabled;
  $('projection').value = (getField(current, 'projection') || ['plane'])[0];
  params.show(paramsOf(current));
  const size = getField(current, 'size').join(',');
  $('sizemode').value = sizeFit ? 'fit' : ([...$('sizemode').options].some(o => o.value === size) ? size : 'custom');
  $('graph').checked = getField(current, 'graph') !== null;
}

function checkExpr() {
  const value = $('expr').value;
  if (value.length > MAXTEXT) {
    $('exprerror').textContent = `the text is longer than ${MAXTEXT} characters`;
    return false;
  }
  const error = text('checkexpr', value.replace(/[\n\r\t]/g, ' '));
  $('exprerror').textContent = error === '' ? '' : `${error} at column ${num('exprcolumn')}`;
  return error === '';
}

function bindControls() {
  const labels = $('formula');
  for (let f = 0; f < 31; f++) {
    const o = document.createElement('option');
    o.value = String(f);
    o.textContent = `${f}: ${text('label', f).replace(/\s+/g, ' ')}`;
    labels.append(o);
  }
  const keep = () => current.filter(f => f.name === 'size' && !sizeFit);
  labels.addEventListener('change', () => change([{ name: 'formula', values: [labels.value] }, ...keep()], true));
  $('expr').addEventListener('input', checkExpr);
  $('expr').addEventListener('change', () => {
    if (!checkExpr()) {
      const column = num('exprcolumn');
      if (column > 0) $('expr').setSelectionRange(column - 1, column);
      return;
    }
    const on30 = getField(current, 'formula')[0] === '30';
    const base = on30 ? current.filter(f => f.name !== 'formula') : keep();
    // The parameters the new text keeps keep their values.
    let fields = withField(base.filter(f => f.name !== 'param'), 'expr', [$('expr').value]);
    for (const p of base.filter(f => f.name === 'param'))
      if (text('apply', wordsOf([...fields, p])) === '') fields.push(p);
    change(fields, true);
  });
  for (const name of FIELDS) {
    if (name === 'size') continue;
    $(name).addEventListener('change', () =>
      change(withField(current, name, valuesOf(name)), name === 'view'));
  }
  const setSize = values => {
    sizeFit = values === null;
    let fields = withField(current, 'size', values);
    if (values && getField(fields, 'graph') && values.join(',') !== '600,600') fields = withField(fields, 'graph', null);
    change(fields, false);
  };
  $('sizemode').addEventListener('change', () => {
    const mode = $('sizemode').value;
    if (mode === 'fit') setSize(null);
    else if (mode !== 'custom') setSize(mode.split(','));
    else $('size').focus();
  });
  $('size').addEventListener('change', () => setSize($('size').value.split(',').map(s => s.trim())));
  $('graph').addEventListener('change', () => {
    if ($('graph').checked) {
      sizeFit = false;
      change(withField(withField(current, 'size', ['600', '600']), 'graph', []), false);
    } else {
      change(withField(current, 'graph', null), false);
    }
  });
  $('projection').addEventListener('change', () => {
    const kind = $('projection').value;
    let fields = current.filter(f => f.name !== 'projection' && !PROJFIELDS.includes(f.name));
    if (kind !== 'plane') fields = withField(withField(fields, 'graph', null), 'projection', [kind]);
    change(fields, true);
  });
  $('zoomout').addEventListener('click', () =>
    nav.zoom(Math.floor((num('width') - 1) / 2), Math.floor((num('height') - 1) / 2), 0.5));
  $('back').addEventListener('click', () => nav.back());
  $('home').addEventListener('click', () => nav.home());
  $('save').addEventListener('click', savePNG);
  window.addEventListener('resize', () => {
    if (!sizeFit) return;
    const [w, h] = fitSize();
    if (getField(current, 'size').join(',') !== `${w},${h}`) change(withField(current, 'size', null), false);
  });
}

const setView = pointer => change(withField(current, 'view', viewOf(pointer)), true);
// The core changed the sphere or the landscape (changed is 1): its words.
const turned = changed => { if (changed) change(fieldsOfCoreWords(text('words')), true); };
const plane = () => getField(current, 'projection') === null;
// On the sphere and the landscape a drag turns them, the wheel is the
// landscape's height limit and Home the sphere's c = 0, as in the window
// program; zooming out by 2 does nothing there.
const nav = {
  width: () => num('width'),
  height: () => num('height'),
  plane,
  rect: (x0, y0, x1, y1) => (plane() ? setView(num('rectview', x0, y0, x1, y1)) : turned(num('turn', x0, y0, x1, y1))),
  zoom: (x, y, factor) => {
    if (plane()) setView(num('zoomview', x, y, factor));
    else if (factor !== 0.5) turned(num('heightwheel', factor > 1 ? 1 : 0));
  },
  pan: (dx, dy) => (plane() ? setView(num('panview', dx, dy)) : turned(num('turn', 0, 0, Math.round(dx), Math.round(dy)))),
  back: () => { if (depth() > 0) history.back(); },
  home: () => (num('spherehome') ? turned(1) : setView(num('homeview'))),
  hover: (x, y) => { $('readout').textContent = text('readout', x, y); },
};

// The hash changed under the page: Back, Forward or a typed link.
function fromHash() {
  if (location.hash === writtenHash) return;
  let { fields, problems } = parseHash(location.hash);
  if (history.state && history.state.fit) {
    sizeFit = true;
    fields = withField(fields, 'size', null);
  } else {
    sizeFit = !getField(fields, 'size') && !getField(fields, 'graph');
  }
  const extra = problems.map(p => `The setting "${p.name}" in the link cannot be used (${p.message}); its default is used instead.`);
  change(fields, false, extra);
}

async function savePNG() {
  if (body.dataset.state !== 'done') return;
  const png = await picture.png();
  const name = `lumo-${getField(current, 'formula')[0]}.png`;
  const p = core._malloc(png.length);
  core.HEAPU8.set(png, p);
  const out = num('png', p, png.length, name);
  const size = num('pngsize');
  const bytes = core.HEAPU8.slice(out, out + size);
  core._free(p);
  if (size === 0) return say(['The browser did not give a PNG to save.']);
  page.lastPNG = bytes;
  download(bytes, name, 'image/png');
}

// --- start -------------------------------------------------------------------

async function start() {
  if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function')
    return fail('This browser cannot run WebAssembly, which this page needs to compute its pictures.');
  if (typeof Worker !== 'function')
    return fail('This browser cannot run Web Workers, which this page needs to compute its pictures.');
  const query = new URLSearchParams(location.search);
  const count = Number(query.get('workers')) || navigator.hardwareConcurrency || 2;
  try {
    pool = new WorkerPool(Math.max(1, Math.min(64, count)));
  } catch (e) {
    return fail('A render worker could not start: ' + e.message);
  }
  let module;
  try {
    const response = await fetch('lumo.wasm');
    if (!response.ok) throw new Error(`lumo.wasm: ${response.status} ${response.statusText}`);
    module = await WebAssembly.compile(await response.arrayBuffer());
  } catch (e) {
    return fail('The compiled program (lumo.wasm) could not be loaded: ' + e.message);
  }
  page.times.loaded = performance.now();
  const workers = pool.start(module).then(() => null, e => e);
  core = await instantiate(module);
  core._lumo_start();
  page.times.core = performance.now();
  window.lumoCore = core;      // for the benchmarks' look at the core alone
  picture = new Picture($('picture'), $('progress'));
  const failure = await workers;
  page.times.workers = performance.now();
  pool.onfail = message => fail('A render worker could not start: ' + message);
  if (failure) return fail('A render worker could not start: ' + failure.message);
  page.workers = pool.count;
  page.rowsByWorker = () => pool.workers.map(slot => slot.rows);
  page.workerBusyMs = () => pool.busyMs;
  params = new ParamRows($('params'), setParam);
  bindControls();
  attachInput($('picture'), $('band'), nav);
  window.addEventListener('popstate', fromHash);
  window.addEventListener('hashchange', fromHash);
  fromHash();
}

start();
