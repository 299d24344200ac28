// SPDX-License-Identifier: MIT
// Opens the map page in Debian's chromium (no cache) and prints, as JSON, the
// milliseconds from the navigation's start until the first view is drawn
// with every tile it asked for. Used by bench/web-viewer-latency.
import path from 'node:path';
import { createRequire } from 'node:module';

const [url, size = '1280x800'] = process.argv.slice(2);
const [width, height] = size.split('x').map(Number);
const require = createRequire(path.join(process.env.KAVALO_SOURCE, 'web', 'package.json'));
const { chromium } = require('playwright-core');
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });
try {
  const context = await browser.newContext({ viewport: { width, height } });
  const page = await context.newPage();
  const start = Date.now();
  await page.goto(url, { waitUntil: 'load' });
  await page.waitForFunction(() => window.kavaloViewer !== undefined);
  await page.evaluate(() => window.kavaloViewer.settled());
  console.log(JSON.stringify({ ms: Date.now() - start }));
} finally {
  await browser.close();
}
