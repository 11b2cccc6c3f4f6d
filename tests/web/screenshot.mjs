// SPDX-License-Identifier: MIT
// The README's picture of the page at a phone's width (360 × 740 CSS pixels, drawn at twice
// the density): an example opened through a link's fragment, as a shared link opens it.
// Usage: node screenshot.mjs OUT.png (BROWSER, KELVARA_PAGE as for the tests).
import { launch, openPage, pageUrl } from './browsers.mjs';

const out = process.argv[2] ?? 'web.png';
const example = new URLSearchParams({
  t: '虹色のグラデーション文字', f: 'FF0000', l: '9900CC', s: 'FF9900,33CC00,0066FF',
  sp: 'oklch', fmt: 'span', o: 'bold',
});
const browser = await launch();
try {
  const opened = await openPage(browser, `${pageUrl}#${example}`);
  await opened.setViewport({ width: 360, height: 740, deviceScaleFactor: 2 });
  await opened.evaluate(() => document.getElementById('text').focus());
  await opened.screenshot({ path: out });
  console.log(`Wrote ${out}`);
} finally {
  await browser.close();
}
