// SPDX-License-Identifier: MIT
// kelvara.run in the page gives what the real kelvara-gen gives, byte for byte: output,
// standard-error lines and exit status, over every format of the engine's table, the colour
// spaces and stops, limits met and refused, the contrast report, characters made of several
// code points, --lines and wrong usage; the options that need files are refused.
import assert from 'node:assert/strict';
import { after, before, describe, it } from 'node:test';

import { browserName, launch, openPage, runGen } from './browsers.mjs';

const MIXED = '虹色のテキスト Kelvara!';
const GRAPHEMES = [
  ['family emoji', '家族👨‍👩‍👧と旗🇯🇵🇫🇷'],
  ['skin tone and keycap', '👍🏽1️⃣ok'],
  ['combining sound marks', 'か\u3099き\u309Aく'],
  ['half-width sound marks', 'ｶﾞｷﾞｸﾟ'],
  ['half-width mark after an emoji', '😀ﾞｱ'],
  ['Latin with combining accent', 'Cafe\u0301 e\u0301\u0301'],
  ['CR LF and tabs', 'a\r\nb\tc'],
];

const CASES = [
  ['classic FONT tags', [], MIXED],
  ['three colours', ['--colors=3', '--middle=00C000'], MIXED],
  ['stops in OKLab', ['--stops=FF0000,FFFF00,00FF00,0000FF', '--space=oklab'], MIXED],
  ['stops in OKLCH', ['--stops=FF0000,0000FF', '--space=oklch', '--format=span'], MIXED],
  ['sixteen stops', [`--stops=${Array.from({ length: 16 }, (_, i) => (i * 0x0F0F0F).toString(16).padStart(6, '0')).join(',')}`], 'abcdefghijklmnopqrstuvwxyz'],
  ['sizes growing in pixels', ['--font-mode=4', '--min=10', '--max=40', '--bold', '--italic'], MIXED],
  ['sizes shrinking in HTML sizes', ['--font-mode=1', '--underline', '--strike'], MIXED],
  ['every wrapper', ['--center', '--blink', '--marquee', '--sup', '--vertical', '--face=IPAGothic'], 'ab'],
  ['fit met', ['--format=span', '--fit=400'], MIXED],
  ['fit refused', ['--format=span', '--fit=20'], MIXED],
  ['fit with bbcode', ['--format=bbcode', '--fit=120'], MIXED],
  ['contrast report', ['--first=FFFF00', '--last=FFFFFF', '--contrast=FFFFFF'], 'あいう'],
  ['contrast with lines', ['--lines', '--first=EEEEEE', '--last=000000', '--contrast=FFFFFF'], 'ab\ncd'],
  ['lines', ['--lines', '--format=span'], '一行目\n\n三行目\r\nlast'],
  ['lines, one refused', ['--lines', '--colors=3'], 'abc\na\nxyz\n'],
  ['text as an argument', ['--format=json', '--', '-dash'], 'ignored'],
  ['one trailing newline removed', [], 'abc\n'],
  ['too short for three colours', ['--colors=3'], 'a'],
  ['empty text', [], ''],
  ['too many characters', [], 'あ'.repeat(32768)],
  ['the largest text', ['--format=span'], 'あ'.repeat(32767)],
  ['unknown option', ['--bogus'], 'a'],
  ['unknown format', ['--format=nope'], 'a'],
  ['bad limit', ['--fit=ten'], 'a'],
  ['stops with a bad colour', ['--stops=FF0000,XYZ'], 'a'],
  ['limit with a format that cannot fit', ['--format=json', '--fit=10'], 'a'],
  ['picture option without a picture', ['--px=20'], 'a'],
  ['a place with a limit', ['--target=discord', '--bold'], MIXED],
  ['a place without a limit', ['--target=github'], MIXED],
  ['a place whose limit even one colour misses', ['--target=misskey-name'], 'あ'.repeat(60)],
  ['a limit typed over the place\'s', ['--target=misskey-note', '--fit=120'], MIXED],
  // 129 emoji are 129 code points but 258 UTF-16 units: over Minecraft's 256.
  ['Minecraft counting UTF-16 units', ['--target=minecraft'], '😀'.repeat(129)],
  ['a place and a format together', ['--target=qiita', '--format=span'], 'a'],
  ['the list of places', ['--targets'], ''],
  ['what a browser shows for Discord', ['--target=discord', '--preview'], MIXED],
  ['help', ['--help'], ''],
  ['version', ['--version'], ''],
  ...GRAPHEMES.map(([name, text]) => [`graphemes: ${name}`, ['--format=json'], text]),
  ...GRAPHEMES.map(([name, text]) => [`graphemes in FONT tags: ${name}`, [], text]),
];

// The options that need a file: refused in the page with exit status 2.
const FILE_OPTIONS = [
  ['--settings=Lum.ini', '--settings'],
  ['--save-settings=Lum.ini', '--save-settings'],
  ['--print-settings', '--print-settings'],
  ['--page=temp.html', '--page'],
  ['--image=a.png', '--image'],
];

describe(`kelvara.run in ${browserName}`, () => {
  let browser;
  let page;
  let formats;
  let flags;
  before(async () => {
    browser = await launch();
    page = await openPage(browser);
    formats = await page.evaluate(() => window.kelvara.tables.formats.map((row) => row.name));
    flags = await page.evaluate(() => window.kelvara.tables.options.map((row) => row.flag));
  });
  after(async () => browser?.close());

  const inPage = (args, text) => page.evaluate((a, t) => window.kelvara.run(a, t), args, text);

  for (const [name, args, text] of CASES) {
    it(`matches kelvara-gen: ${name}`, async () => {
      assert.deepEqual(await inPage(args, text), runGen(args, text));
    });
  }

  it('matches kelvara-gen in every format of the table, options and notes included', async () => {
    assert.ok(formats.length >= 9, `only ${formats.length} formats in the table`);
    for (const format of formats) {
      for (const extra of [[], ['--bold', '--italic', '--underline', '--center', '--fit=60']]) {
        const args = [`--format=${format}`, ...extra, '--stops=FF0000,00FF00,0000FF'];
        assert.deepEqual(await inPage(args, MIXED), runGen(args, MIXED), args.join(' '));
      }
    }
  });

  it('matches kelvara-gen with every on/off option of the table, on and stored as 0', async () => {
    assert.ok(flags.length >= 10, `only ${flags.length} options in the table`);
    for (const flag of flags) {
      for (const args of [[`--${flag}`], [`--${flag}`, '--format=span'], [`--${flag}=0`, '--format=bbcode']]) {
        assert.deepEqual(await inPage(args, MIXED), runGen(args, MIXED), args.join(' '));
      }
    }
  });

  for (const [arg, name] of FILE_OPTIONS) {
    it(`refuses ${name}: it needs a file`, async () => {
      const run = await inPage([arg, '--format=span'], 'abc');
      assert.equal(run.status, 2);
      assert.equal(run.output, '');
      assert.deepEqual(run.messages, [`kelvara-gen: ${name} is not available in the browser`]);
    });
  }

  it('reports wrong usage before a file option, as kelvara-gen does', async () => {
    const args = ['--settings=Lum.ini', '--format=nope'];
    assert.deepEqual(await inPage(args, 'a'), runGen(args, 'a'));
  });
});
