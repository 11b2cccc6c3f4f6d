// SPDX-License-Identifier: MIT
// The browser page measured in headless Chromium and Firefox: the first result after opening
// the file, a change of 1,000 characters (the engine's run, the result, the preview), and the
// file's size. Prints one table; scripts/bench_web.sh runs it. Not a test: no target fails it.
import fs from 'node:fs';

// Run from a folder holding it beside tests/web/browsers.mjs and their node_modules.
import { launch, openPage, pagePath, pageUrl } from './browsers.mjs';

const ROUNDS = Number(process.env.ROUNDS ?? 15);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function firstResult(browser) {
  const times = [];
  for (let i = 0; i < ROUNDS; i += 1) {
    const context = await browser.createBrowserContext();
    const page = await openPage(browser, pageUrl, context);
    times.push(await page.evaluate(
      () => performance.getEntriesByName('kelvara-first-result')[0].startTime,
    ));
    await context.close();
  }
  return median(times);
}

// Replaces the text with `text` and back, timing the handler alone, until the next frame, and
// until the preview frame has loaded the new result (it waits for the end of a burst of key
// presses first).
async function change(page, text) {
  return page.evaluate(async (t, rounds) => {
    const area = document.getElementById('text');
    const preview = document.getElementById('preview');
    const handler = [];
    const painted = [];
    const previewed = [];
    for (let i = 0; i < rounds; i += 1) {
      const value = i % 2 === 0 ? t : `${t.slice(1)}末`;
      const loaded = new Promise((resolve) => {
        preview.addEventListener('load', resolve, { once: true });
      });
      const start = performance.now();
      area.value = value;
      area.dispatchEvent(new Event('input', { bubbles: true }));
      handler.push(performance.now() - start);
      await new Promise((resolve) => { requestAnimationFrame(() => setTimeout(resolve)); });
      painted.push(performance.now() - start);
      await loaded;
      previewed.push(performance.now() - start);
    }
    const mid = (v) => [...v].sort((a, b) => a - b)[Math.floor(v.length / 2)];
    return [mid(handler), mid(painted), mid(previewed)];
  }, text, ROUNDS);
}

const kana = 'グラデーション文字列のテスト、かな漢字ABC。';
const thousand = kana.repeat(Math.ceil(1000 / kana.length)).slice(0, 1000);
const emoji = '虹😀🇯🇵か\u3099'.repeat(200);  // 1,000 characters through the segmenter

const browser = await launch();
try {
  const name = process.env.BROWSER ?? 'chromium';
  const first = await firstResult(browser);
  const page = await openPage(browser);
  const [plain, plainPainted, plainPreview] = await change(page, thousand);
  const [mixed, mixedPainted, mixedPreview] = await change(page, emoji);
  const size = fs.statSync(pagePath).size;
  const ms = (v) => `${v.toFixed(1)} ms`;
  console.log(`| ${name} | first result | ${ms(first)} | target 300 ms |`);
  console.log(`| ${name} | 1,000 characters changed (kana, kanji, Latin) | ${ms(plain)} handler, ${ms(plainPainted)} to the next frame, preview ${ms(plainPreview)} | target 50 ms |`);
  console.log(`| ${name} | 1,000 characters changed (emoji, flags, sound marks) | ${ms(mixed)} handler, ${ms(mixedPainted)} to the next frame, preview ${ms(mixedPreview)} | target 50 ms |`);
  console.log(`| file | kelvara.html | ${(size / 1024).toFixed(1)} KiB (${size} bytes) | target 400 KB |`);
} finally {
  await browser.close();
}
