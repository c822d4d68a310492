// page_test.mjs - the page in headless Chromium against lumo render:
//   node page_test.mjs SITE_FOLDER
// Pictures are compared pixel for pixel with lumo render's PNG of the same
// options, read back by PIL; views the mouse makes are worked out here from
// the rules the window program follows (pixel centres on the view's grid,
// a rectangle widened to the image's shape, ten decimals).
import fs from 'node:fs';
import path from 'node:path';
import { spawnSync } from 'node:child_process';
import {
  serve, launch, open, settled, after, renders, hashOf, message, canvasRGB, argsOfHash, lumo, LUMO, ROOT,
  reference, readPNG, differing, check, expect, failed, tempdir,
} from './lib.mjs';

const site = path.resolve(process.argv[2] || path.join(ROOT, 'build/web/site'));
const server = await serve(site);
const browser = await launch();
const enc = encodeURIComponent;

async function goHash(page, hash) {
  return after(page, () => page.evaluate(h => { location.hash = h; }, hash));
}

async function samePicture(page, args, what) {
  const got = await canvasRGB(page);
  const want = reference(args);
  const n = differing(got, want);
  expect(n === 0, `${what}: ${n} of ${want.width * want.height} pixels differ from lumo render ` +
    `${args.join(' ')} (page ${got.width} x ${got.height})`);
}

const PICTURES = [
  'formula=0&size=160,120',
  'formula=2&size=120,90&escape=1&maxiter=200',
  'formula=3&size=160,120&map=perceptual',
  'formula=3&size=600,600&graph',
  'formula=9&size=160,120&grid=both&brightness=3',
  'formula=13&size=120,120&map=enhanced',
  'formula=16&size=160,120&map=colour-blind-safe&grid=phase',
  'formula=20&size=160,120&map=abs-colour',
  'formula=24&size=160,120&map=3d',
  'formula=27&size=120,90',
  `expr=${enc('zeta(z)')}&view=-20,10,-15,15&size=120,90&map=perceptual`,
  `expr=${enc('(z^2 - 1)(z - 2 - i)^2 / (z^2 + 2 + 2i)')}&size=120,90&map=modular`,
  `expr=${enc('if(re(z) > 0, gamma(z), pi / (sin(pi z) gamma(1 - z)))')}&size=120,90`,
  `expr=${enc('exp(z) + log(z)^2 - z^(1/3)')}&size=120,90&map=angular&grid=square`,
  `expr=${enc('z^2 + a')}&param=${enc('a=2')}&size=120,90`,
  'formula=16&size=200,150&projection=sphere',
  'formula=27&size=160,120&projection=sphere&center=inf,inf&map=perceptual',
  'formula=9&size=160,120&projection=landscape',
];

const page = await open(browser, server.url + '#formula=3&size=64,48');

// At 200 x 200 formula 22 alone tells musl's exp, log and pow from
// glibc's (13 pixels); LUMO_WEB_SIZE=W,H renders them at another size.
await check('the 31 formulas\' own pictures equal lumo render\'s', async () => {
  const bad = [];
  for (let f = 0; f < 31; f++) {
    const hash = `formula=${f}&size=${process.env.LUMO_WEB_SIZE || "200,200"}`;
    await goHash(page, '#' + hash);
    try { await samePicture(page, argsOfHash(hash), hash); } catch (e) { bad.push(e.message); }
  }
  expect(bad.length === 0, bad.join('\n      '));
});

await check('the canvas equals lumo render, pixel for pixel', async () => {
  const bad = [];
  for (const hash of PICTURES) {
    const state = await goHash(page, '#' + hash);
    if (state !== 'done') { bad.push(`${hash}: ${await message(page)}`); continue; }
    try { await samePicture(page, argsOfHash(hash), hash); } catch (e) { bad.push(e.message); }
  }
  expect(bad.length === 0, bad.join('\n      '));
});

await check('a link makes the same picture again (URL round trip)', async () => {
  const start = `#expr=${enc('zeta(z)')}&view=-20,10,-15,15&map=perceptual&size=150,100`;
  await goHash(page, start);
  const hash = await hashOf(page);
  for (const field of ['expr=zeta(z)', 'view=-20,10,-15,15', 'map=7', 'size=150,100'])
    expect(hash.includes(field), `the hash ${hash} lacks ${field}`);
  const first = await canvasRGB(page);
  const other = await open(browser, server.url + hash);
  expect(await hashOf(other) === hash, `reopened, the hash became ${await hashOf(other)}`);
  expect(differing(first, await canvasRGB(other)) === 0, 'the reopened link shows another picture');
  // Backspace at the first view has no view to go back to: the page stays.
  await other.keyboard.press('Backspace');
  await after(other, () => other.click('#zoomout'));
  expect(other.url().startsWith(server.url), `Backspace left the page for ${other.url()}`);
  await other.close();
});

// --- the mouse -------------------------------------------------------------

const W = 200, H = 150;
const pointOf = (v, x, y) => [x * (v[1] - v[0]) / (W - 1) + v[0], (H - y - 1) * (v[3] - v[2]) / (H - 1) + v[2]];
const dialog = x => Number(x.toFixed(10));
function bounded(v) {      // inside -20..20 (the views here stay well inside)
  return v.map(dialog);
}
function zoomed(v, x, y, f) {
  const [px, py] = pointOf(v, x, y);
  return bounded([px - (px - v[0]) / f, px + (v[1] - px) / f, py - (py - v[2]) / f, py + (v[3] - py) / f]);
}
function rect(v, x0, y0, x1, y1) {
  const [ax, ay] = pointOf(v, x0, y0), [bx, by] = pointOf(v, x1, y1);
  const cx = 0.5 * (ax + bx), cy = 0.5 * (ay + by);
  let w = Math.abs(bx - ax), h = Math.abs(by - ay);
  if (w < h * W / H) w = h * W / H; else h = w * H / W;
  return bounded([cx - 0.5 * w, cx + 0.5 * w, cy - 0.5 * h, cy + 0.5 * h]);
}
const viewOf = hash => argsOfHash(hash).slice(argsOfHash(hash).indexOf('--view') + 1).slice(0, 4).map(Number);
const withView = (hash, v) => argsOfHash(hash.replace(/view=[^&]*/, 'view=' + v.join(',')));

await check('each mouse command gives lumo render of the expected view', async () => {
  await goHash(page, `#formula=16&size=${W},${H}`);
  const home = await hashOf(page);
  const box = await (await page.$('#picture')).boundingBox();
  const at = (x, y) => [box.x + x + 0.5, box.y + y + 0.5];
  const steps = [
    ['drag a rectangle', v => rect(v, 30, 20, 110, 70), async () => {
      await page.mouse.move(...at(30, 20)); await page.mouse.down();
      await page.mouse.move(...at(70, 40)); await page.mouse.move(...at(110, 70)); await page.mouse.up();
    }],
    ['wheel in', v => zoomed(v, 50, 100, 1.5), async () => {
      await page.mouse.move(...at(50, 100)); await page.mouse.wheel({ deltaY: -100 });
    }],
    ['wheel out', v => zoomed(v, 150, 30, 1 / 1.5), async () => {
      await page.mouse.move(...at(150, 30)); await page.mouse.wheel({ deltaY: 100 });
    }],
    ['right click', v => zoomed(v, 120, 80, 0.5), async () => {
      await page.mouse.click(...at(120, 80), { button: 'right' });
    }],
    ['Zoom out button', v => zoomed(v, Math.floor((W - 1) / 2), Math.floor((H - 1) / 2), 0.5),
      async () => page.click('#zoomout')],
  ];
  const seen = [home];
  for (const [what, expected, action] of steps) {
    const before = await hashOf(page);
    const want = expected(viewOf(before));
    expect(await after(page, action) === 'done', `${what}: no picture`);
    const now = await hashOf(page);
    const got = viewOf(now);
    expect(got.every((x, k) => x === want[k]), `${what}: view ${got} instead of ${want}`);
    await samePicture(page, withView(now, want), what);
    seen.push(now);
  }
  // Backspace and the browser's Back walk back; Forward walks on; Home.
  await after(page, () => page.keyboard.press('Backspace'));
  expect(await hashOf(page) === seen[seen.length - 2], 'Backspace did not give the previous view');
  await after(page, () => page.goBack());
  expect(await hashOf(page) === seen[seen.length - 3], 'Back did not give the view before');
  await samePicture(page, argsOfHash(seen[seen.length - 3]), 'Back');
  await after(page, () => page.goForward());
  expect(await hashOf(page) === seen[seen.length - 2], 'Forward did not come back');
  await after(page, () => page.keyboard.press('Home'));
  expect(viewOf(await hashOf(page)).join() === viewOf(home).join(), 'Home did not give the formula\'s view');
});

await check('one finger pans and two fingers pinch on a touch screen', async () => {
  await goHash(page, `#formula=16&size=${W},${H}`);
  const box = await (await page.$('#picture')).boundingBox();
  const cdp = await page.createCDPSession();
  const touch = (type, points) => cdp.send('Input.dispatchTouchEvent', {
    type, touchPoints: points.map(([x, y], id) => ({ x: box.x + x + 0.5, y: box.y + y + 0.5, id })),
  });
  let v = viewOf(await hashOf(page));
  // A pan by (30, -20) pixels: the content follows the finger.
  const sx = -30 * (v[1] - v[0]) / (W - 1), sy = -20 * (v[3] - v[2]) / (H - 1);
  let want = bounded([v[0] + sx, v[1] + sx, v[2] + sy, v[3] + sy]);
  await after(page, async () => {
    await touch('touchStart', [[100, 80]]);
    await touch('touchMove', [[115, 70]]);
    await touch('touchMove', [[130, 60]]);
    await touch('touchEnd', []);
  });
  let got = viewOf(await hashOf(page));
  expect(got.every((x, k) => x === want[k]), `pan: view ${got} instead of ${want}`);
  await samePicture(page, withView(await hashOf(page), want), 'pan');
  // Fingers 80 pixels apart move to 120: a zoom by 1.5 about their middle.
  v = got;
  want = zoomed(v, 100, 75, 1.5);
  await after(page, async () => {
    await touch('touchStart', [[60, 75], [140, 75]]);
    await touch('touchMove', [[50, 75], [150, 75]]);
    await touch('touchMove', [[40, 75], [160, 75]]);
    await touch('touchEnd', []);
  });
  got = viewOf(await hashOf(page));
  expect(got.every((x, k) => x === want[k]), `pinch: view ${got} instead of ${want}`);
  await samePicture(page, withView(await hashOf(page), want), 'pinch');
});

await check('the readout is the evaluation of the pixel under the pointer', async () => {
  await goHash(page, `#formula=27&size=${W},${H}`);
  const box = await (await page.$('#picture')).boundingBox();
  await page.mouse.move(box.x + 40.5, box.y + 30.5);
  const shown = await page.$eval('#readout', e => e.textContent);
  const [x, y] = pointOf(viewOf(await hashOf(page)), 40, 30);
  expect(shown.startsWith('40, 30:  z = '), `readout "${shown}"`);
  const m = /w = (\S+) ([+-]\S+)i/.exec(shown);
  expect(m, `no w in the readout "${shown}"`);
  const want = lumo(['eval', '--formula', '27'], `${x} ${y}\n`).stdout.trim().split(/\s+/).map(Number);
  const near = (a, b) => Math.abs(a - b) <= 1e-9 * Math.abs(b);
  expect(near(Number(m[1]), want[0]) && near(Number(m[2]), want[1]),
    `readout w ${m[1]} ${m[2]} but lumo eval gives ${want}`);
});

await check('the typed function shows lumo\'s error and its column as it is typed', async () => {
  const page = await open(browser, server.url + '#formula=3&size=64,48');
  for (const text of ['sinn(z)', '2 3', '(z + 1', 'z ^', 'if(z, 1, 2)', 'pow(z)']) {
    await page.$eval('#expr', e => { e.value = ''; });
    await page.focus('#expr');
    await page.keyboard.type(text);
    const shown = await page.$eval('#exprerror', e => e.textContent);
    const r = lumo(['eval', '--expr', text], '0 0\n');
    const line = r.stderr.split('\n').find(l => l.startsWith('lumo: expression: '));
    expect(line, `lumo eval accepted ${text}: ${r.stderr}`);
    expect(shown === line.replace('lumo: expression: ', ''), `"${text}": page says "${shown}", lumo "${line}"`);
  }
  await page.$eval('#expr', e => { e.value = ''; });
  await page.keyboard.type('sin(z)');
  expect(await page.$eval('#exprerror', e => e.textContent) === '', 'a good text still shows an error');
  await page.close();
});

await check('Save PNG downloads the picture with lumo\'s Software and Comment', async () => {
  await goHash(page, `#formula=9&size=${W},${H}&map=perceptual&grid=both`);
  const dir = tempdir('lumo-web-download-');
  await page.browserContext().setDownloadBehavior({ policy: 'allow', downloadPath: dir });
  await page.click('#save');
  const file = path.join(dir, 'lumo-9.png');
  for (let k = 0; k < 200 && !fs.existsSync(file); k++) await new Promise(r => setTimeout(r, 50));
  expect(fs.existsSync(file), 'no file was downloaded');
  const png = readPNG(file);
  expect(png.info.Software === 'Lumo Domain Coloring', `Software is ${png.info.Software}`);
  const comment = png.info.Comment || '';
  expect(comment.startsWith('lumo render ') && comment.endsWith(' -o lumo-9.png'), `Comment is "${comment}"`);
  // The Comment's command, run by a shell as it is, makes the same picture.
  const target = path.join(dir, 'again.png');
  const command = comment.replace(/^lumo /, '"$LUMO" ').replace(/ -o lumo-9\.png$/, ' -o "$TARGET"');
  const ran = spawnSync('sh', ['-c', command], { env: { ...process.env, LUMO, TARGET: target }, encoding: 'utf8' });
  expect(ran.status === 0, `the Comment's command failed: ${ran.stderr}`);
  const again = readPNG(target);
  expect(again.info.Comment === comment.replace(/lumo-9\.png$/, 'again.png') && again.info.Software === png.info.Software,
    `lumo's own PNG says "${again.info.Comment}"`);
  expect(differing(png, again) === 0, 'the download differs from the Comment\'s picture');
  fs.rmSync(dir, { recursive: true, force: true });
});

await check('bad hash fields are named and fall back to their defaults', async () => {
  const long = 'z+'.repeat(2100) + 'z';
  const bad = await open(browser, server.url + '#formula=99&map=nope&size=10,10&view=a,b&grid=%E0%A4%A');
  const text = await message(bad);
  for (const field of ['"formula"', '"map"', '"size"', '"view"', '"grid"'])
    expect(text.includes(field), `the message does not name ${field}: ${text}`);
  expect(await bad.evaluate(() => document.body.dataset.state) === 'done', 'no picture after bad fields');
  await samePicture(bad, argsOfHash((await hashOf(bad))), 'the defaults');
  await goHash(bad, `#expr=${long}&size=64,64`);
  expect((await message(bad)).includes('4096'), `a long text: ${await message(bad)}`);
  await bad.close();
});

await check('a browser without WebAssembly, or a worker that fails, gets a plain message', async () => {
  const nowasm = await open(browser, server.url, { before: p => p.evaluateOnNewDocument(() => { delete window.WebAssembly; }) });
  expect(await nowasm.evaluate(() => document.body.dataset.state) === 'error', 'no error state without WebAssembly');
  expect((await message(nowasm)).includes('WebAssembly'), `message: ${await message(nowasm)}`);
  await nowasm.close();
  const noworker = await open(browser, server.url, {
    before: async p => {
      await p.setRequestInterception(true);
      p.on('request', r => r.url().endsWith('/worker.js') ? r.abort() : r.continue());
    },
  });
  expect((await message(noworker)).includes('worker could not start'), `message: ${await message(noworker)}`);
  await noworker.close();
});

// --- parameters and projections -------------------------------------------

const PW = '160', PH = '120';
const paramOf = hash => decodeURIComponent((/[#&]param=([^&]*)/.exec(hash) || [])[1] || '');

await check('a parameter typed, a slider step and Play give lumo render --param', async () => {
  const expr = 'z^2 + c';
  await goHash(page, `#expr=${enc(expr)}&size=${PW},${PH}`);
  const row = '#params [data-param="c"]';
  expect(await page.$(row) !== null, 'no row for the parameter c');
  const type = async value => {
    await page.$eval(`${row} .value`, e => { e.value = ''; });
    await page.type(`${row} .value`, value);
  };
  // A complex value, read by the core: no slider for it.
  await type('0.25+0.5i');
  expect(await after(page, () => page.keyboard.press('Enter')) === 'done', 'no picture for c = 0.25+0.5i');
  await samePicture(page, ['--expr', expr, '--param', 'c=0.25+0.5i', '--size', PW, PH], 'c = 0.25+0.5i');
  expect(await page.$eval(`${row} .slider`, e => e.disabled), 'a complex value has a slider');
  // A value the core does not read: lumo's complaint in the row, no render.
  await type('1/');
  const before = await renders(page);
  await page.keyboard.press('Enter');
  const shown = await page.$eval(`${row} .error`, e => e.textContent);
  const r = lumo(['render', '--expr', expr, '--param', 'c=1/', '--size', '32', '32', '-o', '/nonexistent/x.png']);
  expect(shown !== '' && r.stderr.trim() === 'lumo render: ' + shown, `the row says "${shown}", lumo "${r.stderr.trim()}"`);
  expect(await renders(page) === before && await page.evaluate(() => document.body.dataset.state) === 'done',
    'a refused value rendered');
  // A real value, then one step of its slider (ends 0 and 2, one either
  // side of the first value, in 100 steps).
  await type('0.25');
  await after(page, () => page.keyboard.press('Enter'));
  expect(paramOf(await hashOf(page)) === 'c=0.25', `the hash holds ${await hashOf(page)}`);
  await page.focus(`${row} .slider`);
  expect(await after(page, () => page.keyboard.press('ArrowRight')) === 'done', 'no picture after a slider step');
  const stepped = paramOf(await hashOf(page));
  const slider = await page.$eval(`${row} .slider`, e => e.value);
  expect(Number(stepped.slice(2)) === Number(slider) && Math.abs(Number(slider) - 0.27) < 0.011,
    `a slider step to ${slider} gave ${stepped}`);
  await samePicture(page, ['--expr', expr, '--param', stepped, '--size', PW, PH], stepped);
  // Play sweeps on, a picture a step, until Stop.
  const played = await renders(page);
  await page.click(`${row} .play`);
  await page.waitForFunction(n => Number(document.body.dataset.renders) >= n, { polling: 20 }, played + 3);
  await page.click(`${row} .play`);
  await page.waitForFunction(() => document.body.dataset.state === 'done', { polling: 20 });
  const now = paramOf(await hashOf(page));
  expect(Number(now.slice(2)) > 0.3, `after Play the value is ${now}`);
  await samePicture(page, ['--expr', expr, '--param', now, '--size', PW, PH], `played to ${now}`);
});

await check('the projection select, a sphere drag, Home and a landscape orbit give lumo render', async () => {
  await goHash(page, `#formula=16&size=${PW},${PH}`);
  const base = ['--formula', '16', '--size', PW, PH];
  for (const kind of ['sphere', 'landscape']) {
    expect(await after(page, () => page.select('#projection', kind)) === 'done', `no ${kind}`);
    await samePicture(page, [...base, '--projection', kind], kind);
  }
  await after(page, () => page.select('#projection', 'sphere'));
  const box = await (await page.$('#picture')).boundingBox();
  const at = (x, y) => [box.x + x + 0.5, box.y + y + 0.5];
  const drag = async (a, b) => after(page, async () => {
    await page.mouse.move(...at(...a)); await page.mouse.down();
    await page.mouse.move(...at(...b)); await page.mouse.up();
  });
  const field = async name => (new RegExp(`[#&]${name}=([^&]*)`).exec(await hashOf(page)) || [])[1];
  expect(await drag([80, 60], [110, 45]) === 'done', 'no picture after a sphere drag');
  const centre = (await field('center')).split(',');
  expect(centre.length === 2 && Number(centre[0]) < 0 && Number(centre[1]) < 0,
    `a drag right and up brought ${centre} to the middle`);
  await samePicture(page, [...base, '--projection', 'sphere', '--center', ...centre], `centre ${centre}`);
  await after(page, () => page.keyboard.press('Home'));
  expect(await field('center') === '0,0', `Home gave the centre ${await field('center')}`);
  // The landscape: half a degree a pixel, the wheel's 1.25 on the limit.
  await after(page, () => page.select('#projection', 'landscape'));
  await drag([80, 60], [100, 70]);
  expect(await field('camera') === '20,45', `the camera after a drag is ${await field('camera')}`);
  await after(page, async () => { await page.mouse.move(...at(80, 60)); await page.mouse.wheel({ deltaY: -100 }); });
  expect(await field('height-limit') === '3.75', `the wheel made the limit ${await field('height-limit')}`);
  await samePicture(page, [...base, '--projection', 'landscape', '--camera', '20', '45', '--height-limit', '3.75'],
    'the orbited landscape');
  await after(page, () => page.select('#projection', 'plane'));
  await samePicture(page, base, 'back on the plane');
});

await check("Chromium reads lumo's PNG files (bands of a parallel deflate) as PIL does", async () => {
  const dir = tempdir('lumo-web-png-');
  for (const [name, args] of [['bands', ['--formula', '3', '--size', '600', '600']],
    ['stored', ['--formula', '27', '--size', '200', '150', '--png-level', '0']]]) {
    const file = path.join(dir, `${name}.png`);
    const r = lumo(['render', ...args, '--threads', '2', '-o', file]);
    expect(r.status === 0, `lumo render ${args.join(' ')}: ${r.stderr}`);
    const url = 'data:image/png;base64,' + fs.readFileSync(file).toString('base64');
    const { width, height, data } = await page.evaluate(async u => {
      const img = new Image();
      img.src = u;
      await img.decode();
      const c = document.createElement('canvas');
      c.width = img.naturalWidth;
      c.height = img.naturalHeight;
      const g = c.getContext('2d');
      g.drawImage(img, 0, 0);
      const d = g.getImageData(0, 0, c.width, c.height).data;
      let s = '';
      for (let i = 0; i < d.length; i += 4) s += String.fromCharCode(d[i], d[i + 1], d[i + 2]);
      return { width: c.width, height: c.height, data: btoa(s) };
    }, url);
    const n = differing({ width, height, rgb: Buffer.from(data, 'base64') }, readPNG(file));
    expect(n === 0, `${name}: Chromium's ${width} x ${height} pixels differ from PIL's in ${n}`);
  }
  fs.rmSync(dir, { recursive: true, force: true });
});

await check('a new setting cancels the running render at once', async () => {
  await goHash(page, '#formula=27&size=400,300');
  const before = await renders(page);
  await page.evaluate(() => { location.hash = '#formula=27&size=400,300&map=perceptual'; });
  await page.waitForFunction(() => document.getElementById('progress').value > 0.05, { polling: 10 });
  await page.select('#map', '9');
  expect(await settled(page, before) === 'done', 'no picture after the change');
  expect(await renders(page) === before + 1, 'the cancelled render was finished too');
  await samePicture(page, argsOfHash(await hashOf(page)), 'after the cancel');
});

await page.close();
await browser.close();
server.close();
process.exit(failed() ? 1 : 0);
