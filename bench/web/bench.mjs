// bench.mjs - the page's speed in headless Chromium, beside native lumo:
//   node bench/web/bench.mjs [ROUNDS]          (after scripts/build-web.sh
//                                               and the native build)
// 1. one worker against `lumo render --threads 1`, ns per pixel, for
//    formulas 3, 16 and 27 and a typed function (target: within 1.5x);
// 2. two workers against one on formula 27 at 600 x 600, best of ROUNDS
//    (target: at least 1.7x);
// 3. the first picture after the module is loaded (target: 150 ms).
// Rounds alternate between the two sides; min, median and max are printed.
import os from 'node:os';
import path from 'node:path';
import { serve, launch, open, after, lumo, ROOT, tempdir } from '../../tests/web/lib.mjs';

const rounds = Number(process.argv[2]) || 5;
const site = path.join(ROOT, 'build/web/site');
const server = await serve(site);
const browser = await launch();
const out = path.join(tempdir('lumo-web-bench-'), 'x.png');

const stats = xs => {
  const s = [...xs].sort((a, b) => a - b);
  return { min: s[0], med: s[Math.floor(s.length / 2)], max: s[s.length - 1] };
};
const fmt = (x, d = 1) => x.toFixed(d);

function nativeSeconds(args) {
  const r = lumo(['render', ...args, '--threads', '1', '--time', '-o', out]);
  const m = /in ([0-9.]+) s/.exec(r.stderr);
  if (!m) throw new Error(r.stderr);
  return Number(m[1]);
}

// One render of hash on page; its time in seconds, as the page measured it
// (from the render's start to its last row on the canvas).
let flip = 0;
async function pageSeconds(page, hash) {
  // Brightness 1 and 3 colour alike in cost: a new render each round.
  flip = 1 - flip;
  await after(page, () => page.evaluate(h => { location.hash = h; }, `${hash}&brightness=${1 + 2 * flip}`));
  return (await page.evaluate(() => window.lumoPage.renderMs)) / 1000;
}

// This machine may be shared: the load says how far to trust the figures.
const load = () => os.loadavg().map(x => x.toFixed(1)).join(' ');
console.log(`${os.cpus().length} CPUs, load average ${load()} at the start`);
const one = await open(browser, server.url + '?workers=1#size=64,64');
const two = await open(browser, server.url + '?workers=2#size=64,64');

// The core alone on the page's main thread: rows computed with no worker,
// message or canvas in between, to tell the arithmetic from the rest.
async function coreNs(page, args, rows) {
  return page.evaluate((words, rows) => {
    const c = window.lumoCore;
    const n = c.lengthBytesUTF8(words) + 1, q = c._malloc(n);
    c.stringToUTF8(words, q, n);
    c._lumo_apply(q);
    c._free(q);
    const start = performance.now();
    c._lumo_rows(0, rows);
    return (performance.now() - start) * 1e6 / (rows * c._lumo_width());
  }, args.join('\n'), rows);
}

console.log(`one worker against lumo render --threads 1 (ns per pixel, ${rounds} rounds)`);
console.log('  case                          native min/med/max      page min/med/max        ratio of mins' +
  '   core alone (min)');
const CASES = [
  ['formula 3', 'formula=3', '--formula 3', 1000],
  ['formula 16', 'formula=16', '--formula 16', 600],
  ['formula 27', 'formula=27', '--formula 27', 300],
  ['typed (z^2-1)(z-2-i)^2/(z^2+2+2i)', `expr=${encodeURIComponent('(z^2 - 1)(z - 2 - i)^2 / (z^2 + 2 + 2i)')}`,
    ['--expr', '(z^2 - 1)(z - 2 - i)^2 / (z^2 + 2 + 2i)'], 800],
];
for (const [name, hash, args, size] of CASES) {
  const nargs = (Array.isArray(args) ? args : args.split(' ')).concat(['--size', String(size), String(size)]);
  const pixels = size * size;
  const native = [], web = [], core = [];
  for (let r = 0; r < rounds; r++) {
    native.push(nativeSeconds(nargs.concat(['--brightness', String(1 + 2 * (r & 1))])) * 1e9 / pixels);
    web.push(await pageSeconds(one, `#${hash}&size=${size},${size}`) * 1e9 / pixels);
    core.push(await coreNs(one, nargs, size));
  }
  const n = stats(native), w = stats(web), c = stats(core);
  console.log(`  ${name.padEnd(30)}${fmt(n.min)}/${fmt(n.med)}/${fmt(n.max)}`.padEnd(56) +
    `${fmt(w.min)}/${fmt(w.med)}/${fmt(w.max)}`.padEnd(24) + `${fmt(w.min / n.min, 2)}x  (target <= 1.5x)` +
    `   ${fmt(c.min)} (${fmt(c.min / n.min, 2)}x)`);
}

console.log(`\ntwo workers against one, formula 27 at 600 x 600 (s, best of ${rounds})`);
const t1 = [], t2 = [], idle1 = [], idle2 = [];
// The share of the render's time the workers spent without rows to make.
const idleShare = (page, workers, seconds) =>
  page.evaluate(() => window.lumoPage.workerBusyMs()).then(busy => 1 - busy / 1000 / (workers * seconds));
for (let r = 0; r < rounds; r++) {
  t1.push(await pageSeconds(one, '#formula=27&size=600,600'));
  idle1.push(await idleShare(one, 1, t1[r]));
  t2.push(await pageSeconds(two, '#formula=27&size=600,600'));
  idle2.push(await idleShare(two, 2, t2[r]));
}
const s1 = stats(t1), s2 = stats(t2);
console.log(`  one worker  ${fmt(s1.min, 3)}/${fmt(s1.med, 3)}/${fmt(s1.max, 3)}`);
console.log(`  two workers ${fmt(s2.min, 3)}/${fmt(s2.med, 3)}/${fmt(s2.max, 3)}`);
console.log(`  speed-up of the bests ${fmt(s1.min / s2.min, 2)}x  (target >= 1.7x)`);
const i1 = stats(idle1), i2 = stats(idle2);
console.log(`  workers idle, share of the render: one ${fmt(i1.min, 3)}/${fmt(i1.med, 3)}/${fmt(i1.max, 3)}, ` +
  `two ${fmt(i2.min, 3)}/${fmt(i2.med, 3)}/${fmt(i2.max, 3)}`);
const split = await two.evaluate(() => window.lumoPage.rowsByWorker());
console.log(`  rows each of the two workers rendered, all rounds: ${split.join(', ')}`);
await one.close();
await two.close();

console.log(`\nfirst picture after the module is loaded (ms, ${rounds} fresh pages, 900 x 800 window, ` +
  'the default picture fitted to it)');
const first = [];
for (let r = 0; r < rounds; r++) {
  const p = await open(browser, server.url);
  first.push(await p.evaluate(() => window.lumoPage.times.firstPicture - window.lumoPage.times.loaded));
  await p.close();
}
const f = stats(first);
console.log(`  ${fmt(f.min)}/${fmt(f.med)}/${fmt(f.max)} ms  (target <= 150 ms)`);

console.log(`load average ${load()} at the end`);
await browser.close();
server.close();
