// SPDX-License-Identifier: MIT
// The page as a person uses it: controls found by their accessible names, text typed with real
// key presses, a format chosen from the keyboard; the result, the clipboard after コピー, a
// reload, a copied link in a fresh browser profile; nothing leaves the page; a phone's width.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, describe, it } from 'node:test';

import { browserName, launch, openPage, pageUrl, runGen } from './browsers.mjs';

// Accessible names the page must have, with the role a screen reader announces.
const NAMED = [
  ['テキスト', 'textbox'], ['最初の色', 'textbox'], ['最後の色', 'textbox'],
  ['投稿先', 'combobox'], ['形式', 'combobox'], ['色空間', 'combobox'], ['文字数の上限', 'textbox'],
  ['結果', 'textbox'], ['コピー', 'button'], ['画像を保存', 'button'],
];

const byName = (page, name, role) => page.waitForSelector(
  `aria/${name}${role ? `[role="${role}"]` : ''}`, { timeout: 10_000 },
);

async function value(page, name) {
  const field = await byName(page, name, 'textbox');
  return field.evaluate((element) => element.value);
}

// Replaces a field's text by typing, as a person does: select all, then type.
async function typeInto(page, name, text) {
  const field = await byName(page, name, 'textbox');
  await field.click();
  await page.keyboard.down('Control');
  await page.keyboard.press('a');
  await page.keyboard.up('Control');
  await page.keyboard.press('Backspace');
  await page.keyboard.type(text);
}

// Chooses an entry of a list by typing its first letters while the list has the focus.
async function chooseByKeys(page, name, letters) {
  const list = await byName(page, name, 'combobox');
  await list.focus();
  await page.keyboard.type(letters);
  await page.keyboard.press('Tab');
}

// Waits until the preview frame holds `expected` (it follows the result a moment later).
async function previewShows(page, expected) {
  const frame = await page.$('iframe#preview');
  await frame.evaluate((element, html) => new Promise((resolve, reject) => {
    const started = Date.now();
    const look = () => {
      if (element.srcdoc.includes(html)) resolve();
      else if (Date.now() - started > 5000) reject(new Error(element.srcdoc));
      else setTimeout(look, 50);
    };
    look();
  }), expected);
}

async function clipboardText(page) {
  return page.evaluate(() => navigator.clipboard.readText());
}

describe(`the page in ${browserName}`, () => {
  let browser;
  let page;
  const requests = [];
  const downloads = fs.mkdtempSync(path.join(os.tmpdir(), 'kelvara-downloads-'));
  before(async () => {
    browser = await launch({ downloads });
    if (browserName === 'chromium') {
      const session = await browser.target().createCDPSession();
      await session.send('Browser.grantPermissions', {
        permissions: ['clipboardReadWrite', 'clipboardSanitizedWrite'],
      });
      await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
    }
    page = await browser.newPage();
    page.on('request', (request) => requests.push(request.url()));
    await page.evaluateOnNewDocument(() => {
      window.policyViolations = [];
      document.addEventListener('securitypolicyviolation', (event) => {
        window.policyViolations.push(`${event.violatedDirective} ${event.blockedURI}`);
      });
    });
    await page.goto(pageUrl);
    await page.waitForSelector('html[data-ready="true"]');
  });
  after(async () => {
    await browser?.close();
    fs.rmSync(downloads, { recursive: true, force: true });
  });

  it('gives every control its accessible name', async () => {
    for (const [name, role] of NAMED) await byName(page, name, role);
    await page.waitForSelector('aria/プレビュー');
    if (browserName !== 'chromium') return;
    // Chromium's whole accessibility tree: no control without a name.
    const session = await page.createCDPSession();
    const { nodes } = await session.send('Accessibility.getFullAXTree');
    const controls = new Set(['textbox', 'combobox', 'checkbox', 'button', 'spinbutton',
      'ColorWell', 'Iframe', 'listbox', 'slider', 'radio']);
    const nameless = nodes.filter((node) => !node.ignored && controls.has(node.role?.value)
      && !(node.name?.value ?? '').trim()).map((node) => node.role.value);
    assert.deepEqual(nameless, []);
  });

  it('shows what kelvara-gen gives for typed text and a format chosen by keyboard', async () => {
    await typeInto(page, 'テキスト', '虹色😀ｶﾞ');
    await typeInto(page, '最初の色', '00AAFF');
    await typeInto(page, '最後の色', 'ff0066');
    assert.equal(await value(page, '結果'),
      runGen(['--first=00AAFF', '--last=ff0066'], '虹色😀ｶﾞ').output.replace(/\n$/, ''));
    await chooseByKeys(page, '形式', 'Wiki');
    assert.equal(await value(page, '結果'),
      runGen(['--format=wiki', '--first=00AAFF', '--last=ff0066'], '虹色😀ｶﾞ').output
        .replace(/\n$/, ''));
  });

  it('turns an option on and off with the space bar, its partner locked out meanwhile', async () => {
    const options = await page.evaluate(() => window.kelvara.tables.options);
    const bold = options.find((row) => row.flag === 'bold');
    const toggle = await byName(page, bold.label, 'checkbox');
    await toggle.focus();
    await page.keyboard.press(' ');
    const args = ['--format=wiki', '--first=00AAFF', '--last=ff0066', '--bold'];
    assert.equal(await value(page, '結果'), runGen(args, '虹色😀ｶﾞ').output.replace(/\n$/, ''));
    // An option that cannot be on with another (superscript, subscript) locks it out.
    const pair = options.find((row) => row.excludes);
    const partner = options.find((row) => row.flag === pair.excludes);
    await (await byName(page, pair.label, 'checkbox')).focus();
    await page.keyboard.press(' ');
    const locked = await byName(page, partner.label, 'checkbox');
    assert.equal(await locked.evaluate((box) => box.disabled), true);
    await page.keyboard.press(' ');
    assert.equal(await locked.evaluate((box) => box.disabled), false);
    await toggle.focus();
    await page.keyboard.press(' ');
    assert.equal(await value(page, '結果'),
      runGen(args.slice(0, -1), '虹色😀ｶﾞ').output.replace(/\n$/, ''));
  });

  it('copies the result to the clipboard with コピー', async () => {
    await (await byName(page, 'コピー', 'button')).click();
    assert.equal(await clipboardText(page), await value(page, '結果'));
  });

  it('keeps the choices over a reload', async () => {
    const result = await value(page, '結果');
    await page.reload();
    await page.waitForSelector('html[data-ready="true"]');
    assert.equal(await value(page, 'テキスト'), '虹色😀ｶﾞ');
    assert.equal(await value(page, '結果'), result);
    const format = await byName(page, '形式', 'combobox');
    assert.equal(await format.evaluate((list) => list.value), 'wiki');
  });

  it('opens the same result from a copied link in a fresh profile', async () => {
    const result = await value(page, '結果');
    const link = page.url();
    assert.match(link, /#/);
    const other = await launch();
    try {
      const fresh = await openPage(other, link);
      assert.equal(await value(fresh, '結果'), result);
      assert.equal(await value(fresh, '最初の色'), '00AAFF');
    } finally {
      await other.close();
    }
  });

  it('takes the format and limit from 投稿先 and counts as the place counts', async () => {
    const text = '😀'.repeat(100);
    await typeInto(page, 'テキスト', text);
    const colours = ['--first=00AAFF', '--last=ff0066'];
    // [letters typed in the list, format, limit, the result as kelvara-gen gives it, status]
    const places = [
      ['Disc', 'discord', '2000', ['--target=discord'], /^Discord：(\d+)\/2000文字$/, false],
      ['Minecraft', 'minimessage', '256', ['--target=minecraft'], /^Minecraft \(MiniMessage\)：(\d+)\/256文字$/, true],
      ['Git', 'latex', '', ['--target=github'], /^GitHub：(\d+)文字$/, false],
    ];
    for (const [letters, format, limit, args, status, utf16] of places) {
      await chooseByKeys(page, '投稿先', letters);
      assert.equal(await (await byName(page, '形式', 'combobox')).evaluate((l) => l.value), format);
      assert.equal(await value(page, '文字数の上限'), limit);
      const result = runGen([...args, ...colours], text).output.replace(/\n$/, '');
      assert.equal(await value(page, '結果'), result);
      const shown = status.exec(await page.$eval('#status', (element) => element.textContent));
      assert.ok(shown, await page.$eval('#status', (element) => element.textContent));
      assert.equal(Number(shown[1]), utf16 ? result.length : [...result].length);
      // Previewed in the colours the place shows (Discord's eight).
      await previewShows(page, runGen([...args, ...colours, '--preview'], text).output.trim());
    }
    // Another format is another place.
    await chooseByKeys(page, '形式', 'Wiki');
    assert.equal(await (await byName(page, '投稿先', 'combobox')).evaluate((l) => l.value), '');
    assert.match(await page.$eval('#status', (element) => element.textContent), /^出力：/);
    await typeInto(page, 'テキスト', '虹色😀ｶﾞ');
    await typeInto(page, '文字数の上限', '');
  });

  it('shows the preview in a frame that runs no script', async () => {
    // The heading and the frame both read プレビュー: the frame is the one to check.
    let frame = null;
    for (const named of await page.$$('aria/プレビュー')) {
      if (await named.evaluate((element) => element.tagName === 'IFRAME')) frame = named;
    }
    assert.ok(frame, 'no frame named プレビュー');
    const sandbox = await frame.evaluate((element) => ({
      sandboxed: element.hasAttribute('sandbox'),
      scripts: element.sandbox.contains('allow-scripts'),
      // Without allow-same-origin the page cannot reach into it either.
      reachable: element.contentDocument !== null,
    }));
    assert.deepEqual(sandbox, { sandboxed: true, scripts: false, reachable: false });
    // Wiki is not HTML: the frame shows its HTML5 span equivalent.
    const spans = runGen(['--format=span', '--first=00AAFF', '--last=ff0066'], '虹色😀ｶﾞ').output
      .replace(/\n$/, '');
    await previewShows(page, spans);
  });

  it('saves the picture as a PNG file with 画像を保存', async () => {
    await (await byName(page, '画像を保存', 'button')).click();
    const file = path.join(downloads, 'kelvara.png');
    // A browser may put the name in place before the bytes (writing a .part file meanwhile).
    const done = () => fs.existsSync(file) && fs.statSync(file).size > 0
      && !fs.readdirSync(downloads).some((name) => /\.(part|crdownload)$/.test(name));
    for (let i = 0; i < 100 && !done(); i += 1) {
      await new Promise((resolve) => { setTimeout(resolve, 100); });
    }
    const bytes = fs.readFileSync(file);
    assert.equal(bytes.subarray(1, 4).toString('latin1'), 'PNG');
  });

  it('sends no request anywhere and breaks no rule of its policy', async () => {
    await typeInto(page, '文字数の上限', '200');
    const foreign = requests.filter((url) => url !== pageUrl && !url.startsWith(`${pageUrl}#`)
      && !/^(data|blob|about):/.test(url));
    assert.deepEqual(foreign, []);
    assert.deepEqual(await page.evaluate(() => window.policyViolations), []);
  });

  it('has a policy that forbids every request, should anything try one', async () => {
    const blocked = await page.evaluate(async () => {
      const attempts = {};
      try {
        await fetch('https://kelvara.example.com/');
        attempts.fetch = 'sent';
      } catch {
        attempts.fetch = 'blocked';
      }
      const image = new Image();
      attempts.image = await new Promise((resolve) => {
        image.onload = () => resolve('loaded');
        image.onerror = () => resolve('blocked');
        image.src = 'https://kelvara.example.com/pixel.png';
      });
      return attempts;
    });
    assert.deepEqual(blocked, { fetch: 'blocked', image: 'blocked' });
    // The policy refused them (a closed network alone would give no violation).
    const violations = await page.evaluate(() => window.policyViolations);
    assert.ok(violations.some((v) => v.startsWith('connect-src')), violations.join('; '));
    assert.ok(violations.some((v) => v.startsWith('img-src')), violations.join('; '));
  });

  it('fits a phone: 360 × 740 without sideways scrolling, every control reachable', async () => {
    // A browser of its own, whose window has the system's focus (the downloads and the other
    // browser started meanwhile may have taken it from the first one).
    const other = await launch();
    const phone = await openPage(other, page.url());
    await phone.setViewport({ width: 360, height: 740 });
    const layout = await phone.evaluate(() => {
      const controls = [...document.querySelectorAll('input, select, textarea, button, iframe')]
        .filter((element) => element.getClientRects().length > 0);
      return {
        scroll: document.documentElement.scrollWidth - document.documentElement.clientWidth,
        outside: controls.filter((element) => {
          const box = element.getBoundingClientRect();
          return box.left < 0 || box.right > document.documentElement.clientWidth;
        }).map((element) => element.id || element.outerHTML.slice(0, 60)),
        enabled: controls.filter((element) => !element.disabled && element.tagName !== 'IFRAME')
          .map((element) => element.id || element.dataset.flag || element.getAttribute('aria-label')),
      };
    });
    assert.equal(layout.scroll, 0, 'the page scrolls sideways');
    assert.deepEqual(layout.outside, []);
    // Tab walks through every enabled control, each showing where the focus is. (A window that
    // has just been resized may lose the system's focus for a moment: a browser draws no focus
    // ring then, so such steps are not counted, and the walk goes round twice.)
    const reached = new Set();
    const unmarked = [];
    await phone.evaluate(() => document.activeElement?.blur());
    for (let i = 0; i < 2 * layout.enabled.length + 10; i += 1) {
      await phone.keyboard.press('Tab');
      // What a person sees: the page after the key press has been drawn.
      const focus = await phone.evaluate(async () => {
        await new Promise((resolve) => { requestAnimationFrame(() => setTimeout(resolve)); });
        const element = document.activeElement;
        if (!element || element === document.body || !document.hasFocus()) return null;
        const ring = (e) => getComputedStyle(e).outlineStyle !== 'none'
          && parseFloat(getComputedStyle(e).outlineWidth) >= 2;
        return {
          key: element.id || element.dataset.flag || element.getAttribute('aria-label'),
          marked: ring(element) || ring(element.parentElement),
        };
      });
      if (!focus) continue;
      reached.add(focus.key);
      if (!focus.marked) unmarked.push(focus.key);
    }
    assert.deepEqual(layout.enabled.filter((key) => !reached.has(key)), []);
    assert.deepEqual(unmarked, []);
    await other.close();
  });

  it('follows the dark scheme with readable text', async () => {
    const colours = async (target) => target.evaluate(() => {
      const style = getComputedStyle(document.body);
      return [style.backgroundColor, style.color];
    });
    const light = await colours(page);
    const other = await launch({ dark: true });
    let dark;
    try {
      dark = await colours(await openPage(other));
    } finally {
      await other.close();
    }
    const luminance = (css) => {
      const [r, g, b] = css.match(/\d+/g).slice(0, 3).map((v) => {
        const c = Number(v) / 255;
        return c <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4;
      });
      return 0.2126 * r + 0.7152 * g + 0.0722 * b;
    };
    assert.ok(luminance(dark[0]) < 0.05 && luminance(light[0]) > 0.8, `${light} / ${dark}`);
    const [back, ink] = dark.map(luminance);
    assert.ok((Math.max(back, ink) + 0.05) / (Math.min(back, ink) + 0.05) >= 7, dark.join(' '));
  });
});
