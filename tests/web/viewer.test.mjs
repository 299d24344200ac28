// SPDX-License-Identifier: MIT
// The published map page in a real browser: Debian's chromium, driven by
// playwright-core, loads the sample region's web map from a static server on
// 127.0.0.1, steps an era with Shift+→, swipes, opens a link and is opened
// from the disk; at each step the map's pixels are compared with
// kavalo-cli render of the same view. Exit 77 (skipped) only when chromium
// is not installed.
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { createRequire } from 'node:module';

const source = process.env.KAVALO_SOURCE;
const bin = process.env.KAVALO_BIN;
const sample = process.env.KAVALO_SAMPLE;
const chromiumPath = ['/usr/bin/chromium', '/usr/lib/chromium/chromium'].find((p) => fs.existsSync(p));
if (!chromiumPath) {
  console.log('SKIPPED: chromium is not installed (scripts/deps installs it); the map page was not tested');
  process.exit(77);
}
if (!sample || !fs.existsSync(path.join(sample, 'dataset.txt'))) {
  console.log(`FAILED: no sample region at ${sample} (the build generates it)`);
  process.exit(1);
}
const require = createRequire(path.join(source, 'web', 'package.json'));
const { chromium } = require('playwright-core');

let failures = 0;
let checks = 0;
const check = (ok, what) => {
  checks++;
  if (!ok) {
    failures++;
    console.log('FAILED: ' + what);
  } else console.log('ok: ' + what);
};

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'kavalo-web-'));
const cli = (args) => {
  const r = spawnSync(path.join(bin, 'kavalo-cli'), args, { encoding: 'utf8', env: process.env });
  if (r.status !== 0) throw new Error(`kavalo-cli ${args.join(' ')}: ${r.status}\n${r.stderr}`);
  return r.stdout;
};

// A copy of the sample: publishing tells the data folder where its map is.
const root = path.join(work, 'root');
fs.cpSync(sample, root, { recursive: true });
const web = path.join(work, 'web');
cli(['publish', '--root', root, '--mirror', 'http://127.0.0.1/kavalo/', '-o', web, '--tiles']);
const mapDirs = fs.readdirSync(path.join(web, 'maps'));
const mapDir = path.join(web, 'maps', mapDirs[0]);
const eras = JSON.parse(fs.readFileSync(path.join(mapDir, 'eras.json'), 'utf8'));
check(fs.existsSync(path.join(mapDir, 'ol', 'LICENSE.md')), 'the map library goes with its licence');

// A static server of the web folder, as any host would serve it.
const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.json': 'application/json',
                '.png': 'image/png', '.md': 'text/plain' };
const server = http.createServer((req, res) => {
  const file = path.join(web, decodeURIComponent(new URL(req.url, 'http://x').pathname));
  if (!file.startsWith(web) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
    res.writeHead(404);
    res.end();
    return;
  }
  res.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
  fs.createReadStream(file).pipe(res);
});
await new Promise((r) => server.listen(0, '127.0.0.1', r));
const base = `http://127.0.0.1:${server.address().port}/maps/${encodeURIComponent(mapDirs[0])}/index.html`;

const browser = await chromium.launch({ executablePath: chromiumPath, args: ['--no-sandbox'] });
// Wide enough for the swipe across; narrow screens swipe up and down.
const page = await browser.newPage({ viewport: { width: 900, height: 640 }, deviceScaleFactor: 1 });
page.on('pageerror', (e) => check(false, 'no error in the page: ' + e.message));

// The map's pixels, averaged over cells of 32 x 32 CSS pixels.
const CELL = 32;
const cellsOf = (selector) =>
  page.evaluate(
    ([selector, CELL]) => {
      const canvases = [...document.querySelectorAll(selector + ' canvas')];
      const box = document.querySelector(selector).getBoundingClientRect();
      const out = document.createElement('canvas');
      out.width = box.width;
      out.height = box.height;
      const ctx = out.getContext('2d');
      ctx.fillStyle = '#fff';
      ctx.fillRect(0, 0, out.width, out.height);
      for (const c of canvases) {
        const r = c.getBoundingClientRect();
        ctx.globalAlpha = Number(getComputedStyle(c.parentElement).opacity || 1);
        ctx.drawImage(c, r.left - box.left, r.top - box.top, r.width, r.height);
      }
      const data = ctx.getImageData(0, 0, out.width, out.height).data;
      const cells = [];
      for (let y = 0; y + CELL <= out.height; y += CELL)
        for (let x = 0; x + CELL <= out.width; x += CELL) {
          let s = [0, 0, 0];
          for (let j = 0; j < CELL; j++)
            for (let i = 0; i < CELL; i++) {
              const k = ((y + j) * out.width + x + i) * 4;
              s[0] += data[k];
              s[1] += data[k + 1];
              s[2] += data[k + 2];
            }
          cells.push({ x, y, rgb: s.map((v) => v / (CELL * CELL)) });
        }
      return { width: out.width, height: out.height, cells };
    },
    [selector, CELL]
  );

// kavalo-cli render of the view the page shows, laid on the page's size:
// the same longitude per pixel and the same latitude span.
const merc = (lat) => Math.log(Math.tan(Math.PI / 4 + (lat * Math.PI) / 360));
const unmerc = (y) => (2 * Math.atan(Math.exp(y)) - Math.PI / 2) * (180 / Math.PI);
const renderCells = async (folder, lat, lon, zoom, width, height) => {
  const mm = (25.4 / 96) * Math.pow(2, eras.zoom100 - zoom);
  const lonPerPx = 360 / (256 * Math.pow(2, zoom));
  const radPerPx = (2 * Math.PI) / (256 * Math.pow(2, zoom));
  const latTop = unmerc(merc(lat) + (radPerPx * height) / 2);
  const latBottom = unmerc(merc(lat) - (radPerPx * height) / 2);
  const kh = Math.round((latTop - latBottom) / (lonPerPx * (eras.grid.latPerPx / eras.grid.lonPerPx)));
  const centre = (latTop + latBottom) / 2;
  const file = path.join(work, `render-${folder}-${zoom}.png`);
  cli(['render', '--root', root, '--link', `kavalo://view?era=${encodeURIComponent(folder)}&lat=${centre}&lon=${lon}&zoom=100`,
       '--mm-per-px', String(mm), '--size', `${width}x${kh}`, '--layers', 'tiles', '-o', file]);
  const png = fs.readFileSync(file).toString('base64');
  return page.evaluate(
    async ([png, width, height, CELL]) => {
      const img = new Image();
      img.src = 'data:image/png;base64,' + png;
      await img.decode();
      const c = document.createElement('canvas');
      c.width = width;
      c.height = height;
      const ctx = c.getContext('2d');
      ctx.drawImage(img, 0, 0, width, height);
      const data = ctx.getImageData(0, 0, width, height).data;
      const cells = [];
      for (let y = 0; y + CELL <= height; y += CELL)
        for (let x = 0; x + CELL <= width; x += CELL) {
          let s = [0, 0, 0];
          for (let j = 0; j < CELL; j++)
            for (let i = 0; i < CELL; i++) {
              const k = ((y + j) * width + x + i) * 4;
              s[0] += data[k];
              s[1] += data[k + 1];
              s[2] += data[k + 2];
            }
          cells.push({ x, y, rgb: s.map((v) => v / (CELL * CELL)) });
        }
      return { width, height, cells };
    },
    [png, width, height, CELL]
  );
};

// The mean difference of the cells (0-255) where keep(cell) holds; the
// bottom rows hold the render's credits and are left out.
const difference = (a, b, keep = () => true) => {
  let sum = 0, n = 0;
  for (let i = 0; i < a.cells.length; i++) {
    const c = a.cells[i];
    if (c.y + CELL > a.height - 96 || !keep(c)) continue;
    sum += c.rgb.reduce((s, v, k) => s + Math.abs(v - b.cells[i].rgb[k]), 0) / 3;
    n++;
  }
  return n ? sum / n : 255;
};
const TOLERANCE = 6;
const settle = () => page.evaluate(() => window.kavaloViewer.settled());
const hashOf = async () => Object.fromEntries(new URLSearchParams((await page.evaluate(() => location.hash)).slice(1)));
const mapSize = () => page.evaluate(() => window.kavaloViewer.mapA.getSize());

try {
  const [lon, lat] = eras.center;
  const z = eras.maxzoom;
  const a = eras.eras[0].folder, b = eras.eras[1].folder;
  await page.goto(`${base}#era=${encodeURIComponent(a)}&lat=${lat}&lon=${lon}&zoom=${z}`);
  await settle();
  const [mw, mh] = await mapSize();
  const refA = await renderCells(a, lat, lon, z, mw, mh);
  const shownA = await cellsOf('#mapA');
  const dA = difference(shownA, refA);
  check(dA < TOLERANCE, `era ${a} as kavalo-cli renders it (mean difference ${dA.toFixed(2)})`);

  // Shift+→ steps to the next era; the place stays.
  await page.locator('#mapA').click({ position: { x: 5, y: mh - 5 } });
  await page.keyboard.press('Shift+ArrowRight');
  await settle();
  let h = await hashOf();
  check(h.era === b, `Shift+→ steps the era to ${b} (${h.era})`);
  check(Math.abs(Number(h.lat) - lat) < 1e-6 && Math.abs(Number(h.lon) - lon) < 1e-6, 'the place is kept');
  const refB = await renderCells(b, lat, lon, z, mw, mh);
  const dB = difference(await cellsOf('#mapA'), refB);
  check(dB < TOLERANCE, `era ${b} as kavalo-cli renders it (mean difference ${dB.toFixed(2)})`);
  check(difference(refA, refB) > TOLERANCE, 'the two eras differ where they are compared');

  // The arrow alone pans the map and leaves the era.
  await page.keyboard.press('ArrowRight');
  await settle();
  // The address follows the view once the pan has come to rest.
  await page
    .waitForFunction((lon) => Number(new URLSearchParams(location.hash.slice(1)).get('lon')) > lon, lon, { timeout: 5000 })
    .catch(() => {});
  h = await hashOf();
  check(h.era === b && Number(h.lon) > lon, `→ alone pans east (${h.lon}) and keeps the era`);

  // A swipe at the middle: era a on the left, b on the right.
  await page.evaluate(([a, b, lat, lon, z]) => {
    location.hash = `#era=${a}&lat=${lat}&lon=${lon}&zoom=${z}&compare=${b}&mode=swipe&split=0.5`;
  }, [encodeURIComponent(a), encodeURIComponent(b), lat, lon, z]);
  await settle();
  const swiped = await cellsOf('#mapA');
  const left = (c) => c.x + CELL <= mw / 2 - 4, right = (c) => c.x >= mw / 2 + 4;
  const dl = difference(swiped, refA, left), dr = difference(swiped, refB, right);
  check(dl < TOLERANCE && dr < TOLERANCE, `swipe: ${a} left (${dl.toFixed(2)}), ${b} right (${dr.toFixed(2)})`);
  check(await page.locator('#divider').isVisible(), 'the swipe shows its divider');

  // On a narrow screen the swipe runs across: era a above, b below.
  await page.setViewportSize({ width: 600, height: 640 });
  await settle();
  const [nw, nh] = await mapSize();
  const narrowA = await renderCells(a, lat, lon, z, nw, nh);
  const narrowB = await renderCells(b, lat, lon, z, nw, nh);
  const across = await cellsOf('#mapA');
  const above = (c) => c.y + CELL <= nh / 2 - 4, below = (c) => c.y >= nh / 2 + 4;
  const du = difference(across, narrowA, above), dd = difference(across, narrowB, below);
  check(du < TOLERANCE && dd < TOLERANCE, `narrow swipe: ${a} above (${du.toFixed(2)}), ${b} below (${dd.toFixed(2)})`);
  await page.setViewportSize({ width: 900, height: 640 });
  await settle();

  // The lens: era b in a circle around the pointer, a elsewhere.
  await page.selectOption('#mode', 'lens');
  const box = await page.locator('#mapA').boundingBox();
  await page.mouse.move(box.x + mw / 2, box.y + mh / 2);
  await settle();
  const lens = await cellsOf('#mapA');
  const near = (c) => Math.hypot(c.x + CELL / 2 - mw / 2, c.y + CELL / 2 - mh / 2) < 60;
  const far = (c) => Math.hypot(c.x + CELL / 2 - mw / 2, c.y + CELL / 2 - mh / 2) > 170;
  // The town under the lens is dense with detail, where a pixel's shift
  // weighs most: inside, era b must be far nearer than era a.
  const dn = difference(lens, refB, near), dna = difference(lens, refA, near), df = difference(lens, refA, far);
  check(dn < 2 * TOLERANCE && dn < dna / 3 && df < TOLERANCE,
        `lens: ${b} inside (${dn.toFixed(2)}, ${a} ${dna.toFixed(2)}), ${a} outside (${df.toFixed(2)})`);

  // Blended at half: each cell half way between the eras.
  await page.selectOption('#mode', 'blend');
  await page.locator('#opacity').fill('50');
  await settle();
  const blend = await cellsOf('#mapA');
  const half = { width: refA.width, height: refA.height,
                 cells: refA.cells.map((c, i) => ({ ...c, rgb: c.rgb.map((v, k) => (v + refB.cells[i].rgb[k]) / 2) })) };
  const dh = difference(blend, half);
  check(dh < TOLERANCE, `blend at 50 %: half way between the eras (${dh.toFixed(2)})`);

  // Side by side: two maps of one view.
  await page.selectOption('#mode', 'side');
  await settle();
  check(await page.locator('#mapB').isVisible(), 'side by side shows the second map');
  h = await hashOf();
  check(h.mode === 'side' && h.compare === b, 'the address names the comparison');

  // A link opens its view; "open in Kavalo" names the same view.
  const lat2 = lat + 0.01, lon2 = lon - 0.01, z2 = z - 1;
  await page.goto('about:blank');
  await page.goto(`${base}#era=${encodeURIComponent(b)}&lat=${lat2}&lon=${lon2}&zoom=${z2}`);
  await settle();
  const href = await page.locator('#openInKavalo').getAttribute('href');
  const k = new URL(href.replace('kavalo://view', 'http://view/'));
  const percent = Math.round(100 * Math.pow(2, z2 - eras.zoom100));
  check(k.searchParams.get('era') === b && Math.abs(Number(k.searchParams.get('lat')) - lat2) < 1e-6 &&
          Math.abs(Number(k.searchParams.get('lon')) - lon2) < 1e-6,
        `open in Kavalo names the link's place and era: ${href}`);
  check(Number(k.searchParams.get('zoom')) === Math.min(400, Math.max(50, percent)), 'and its zoom as a percentage');
  const [w2, h2] = await mapSize();
  const d2 = difference(await cellsOf('#mapA'), await renderCells(b, lat2, lon2, z2, w2, h2));
  check(d2 < TOLERANCE, `the linked view as kavalo-cli renders it (mean difference ${d2.toFixed(2)})`);

  // From the disk, for a quick look.
  await page.goto('file://' + path.join(mapDir, 'index.html'));
  await settle();
  const options = await page.locator('#era option').count();
  check(options === eras.eras.length, `from file:// the page lists the ${eras.eras.length} eras (${options})`);
  check((await page.evaluate(() => window.kavaloViewer.tileErrors())) === 0, 'and loads its tiles');
} catch (e) {
  check(false, String(e.stack || e));
} finally {
  await browser.close();
  server.close();
  fs.rmSync(work, { recursive: true, force: true });
}
console.log(`${checks - failures} passed, ${failures} failed`);
process.exit(failures ? 1 : 0);
