// lib.mjs - what the page's tests share: a static server for the built
// site, headless Chromium, the page's states, the canvas's pixels, and
// lumo render's pictures read back by PIL.
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { spawnSync } from 'node:child_process';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';

const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm' };

// Serves folder on 127.0.0.1 at a free port; resolves to {url, close}.
export function serve(folder) {
  const server = http.createServer((req, res) => {
    const name = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    const file = path.join(folder, name === '/' ? 'index.html' : name);
    if (!file.startsWith(folder) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      res.writeHead(404);
      return res.end();
    }
    res.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(res);
  });
  return new Promise(resolve => server.listen(0, '127.0.0.1', () =>
    resolve({ url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() })));
}

export function tempdir(prefix) {
  return fs.mkdtempSync(path.join(os.tmpdir(), prefix));
}

export async function launch() {
  const profile = tempdir('lumo-web-chromium-');
  const browser = await puppeteer.launch({
    executablePath: process.env.LUMO_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--headless=new', '--disable-gpu', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--no-first-run', '--disable-dev-shm-usage',
      `--user-data-dir=${profile}`],
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return browser;
}

// A new page at url (with ?query#hash), waited on until its first picture
// is done or it reports an error.
export async function open(browser, url, { width = 900, height = 800, before } = {}) {
  const page = await browser.newPage();
  page.errors = [];
  page.on('pageerror', e => page.errors.push(e.message));
  await page.setViewport({ width, height, deviceScaleFactor: 1 });
  if (before) await before(page);
  await page.goto(url);
  await settled(page, 0);
  return page;
}

// Waits until more than `renders` pictures are done, or an error shows.
export async function settled(page, renders) {
  try {
    await page.waitForFunction(r => document.body.dataset.state === 'error' ||
      (document.body.dataset.state === 'done' && Number(document.body.dataset.renders) > r),
      { timeout: 60000, polling: 50 }, renders);
  } catch (e) {
    const now = await page.evaluate(() => [document.body.dataset.state, document.body.dataset.renders,
      location.hash, document.getElementById('progress').value]);
    throw new Error(`no picture after ${renders} (state, renders, hash, progress: ${now.join(' ')}): ${e.message}`);
  }
  return page.evaluate(() => document.body.dataset.state);
}

export const renders = page => page.evaluate(() => Number(document.body.dataset.renders || 0));
export const hashOf = page => page.evaluate(() => location.hash);
export const message = page => page.evaluate(() => document.getElementById('message').textContent);

// Runs action and waits for the one render it starts.
export async function after(page, action) {
  const before = await renders(page);
  await action();
  return settled(page, before);
}

// The canvas as {width, height, rgb: Buffer}.
export async function canvasRGB(page) {
  const { width, height, data } = await page.evaluate(() => {
    const c = document.getElementById('picture');
    const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    const rgb = new Uint8Array(c.width * c.height * 3);
    for (let i = 0, k = 0; i < d.length; i += 4, k += 3) {
      rgb[k] = d[i]; rgb[k + 1] = d[i + 1]; rgb[k + 2] = d[i + 2];
    }
    let s = '';
    for (let i = 0; i < rgb.length; i += 0x8000) s += String.fromCharCode(...rgb.subarray(i, i + 0x8000));
    return { width: c.width, height: c.height, data: btoa(s) };
  });
  return { width, height, rgb: Buffer.from(data, 'base64') };
}

// The options of a hash as lumo render's arguments, by the rule the page
// states: name=v1,v2 is --name v1 v2, values URL-encoded.
export function argsOfHash(hash) {
  const args = [];
  for (const part of hash.replace(/^#/, '').split('&').filter(Boolean)) {
    const [name, value] = part.split('=');
    args.push('--' + name);
    if (value !== undefined) args.push(...value.split(',').map(decodeURIComponent));
  }
  return args;
}

// The repository's root, two folders above this file.
export const ROOT = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
export const LUMO = process.env.LUMO || path.join(ROOT, 'build/native/cli/lumo');
const work = tempdir('lumo-web-ref-');
process.on('exit', () => fs.rmSync(work, { recursive: true, force: true }));

// Runs lumo with args and standard input; returns {status, stdout, stderr}.
export function lumo(args, input = '') {
  const r = spawnSync(LUMO, args, { encoding: 'utf8', input });
  return { status: r.status, stdout: r.stdout, stderr: r.stderr };
}

// Reads a PNG with PIL: {width, height, rgb, info}.
export function readPNG(file) {
  const script = 'import sys, json\nfrom PIL import Image\nim = Image.open(sys.argv[1])\n' +
    'info = {k: v for k, v in im.info.items() if isinstance(v, str)}\n' +
    'sys.stdout.write(json.dumps([im.size[0], im.size[1], info]) + "\\n")\n' +
    'sys.stdout.flush()\nsys.stdout.buffer.write(im.convert("RGB").tobytes())\n';
  const r = spawnSync('/usr/bin/python3', ['-c', script, file], { maxBuffer: 1 << 30 });
  if (r.status !== 0) throw new Error(`PIL cannot read ${file}: ${r.stderr}`);
  const nl = r.stdout.indexOf(10);
  const [width, height, info] = JSON.parse(r.stdout.subarray(0, nl).toString());
  return { width, height, info, rgb: r.stdout.subarray(nl + 1) };
}

// lumo render's picture for args, read back by PIL.
export function reference(args) {
  const file = path.join(work, 'ref.png');
  const r = lumo(['render', ...args, '--threads', '2', '-o', file]);
  if (r.status !== 0) throw new Error(`lumo render ${args.join(' ')}: ${r.stderr}`);
  return readPNG(file);
}

// Pixels that differ between two pictures (all of them when the sizes do).
export function differing(a, b) {
  if (a.width !== b.width || a.height !== b.height) return a.width * a.height;
  let n = 0;
  for (let i = 0; i < a.rgb.length; i += 3)
    if (a.rgb[i] !== b.rgb[i] || a.rgb[i + 1] !== b.rgb[i + 1] || a.rgb[i + 2] !== b.rgb[i + 2]) n++;
  return n;
}

// A tiny runner: named checks, a line each, failures counted.
let failures = 0;
export async function check(name, body) {
  if (process.env.LUMO_WEB_ONLY && !name.includes(process.env.LUMO_WEB_ONLY)) return;
  const start = Date.now();
  try {
    await body();
    console.log(`ok    ${name} (${((Date.now() - start) / 1000).toFixed(1)} s)`);
  } catch (e) {
    failures++;
    console.log(`FAIL  ${name}: ${e.message}`);
  }
}
export function expect(condition, text) {
  if (!condition) throw new Error(text);
}
export const failed = () => failures;
