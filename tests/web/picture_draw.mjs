// SPDX-License-Identifier: MIT
// Draws a table of pictures with kelvara.picture in the browser and writes each PNG into the
// folder given as the first argument, with manifest.tsv naming the check each one gets (the
// desktop picture tests' per-glyph helper reads them: web_picture_check). Also checks that
// what kelvara-gen --image refuses or notes, the page refuses or notes alike.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, it } from 'node:test';

import { browserName, launch, openPage, runGen } from './browsers.mjs';

const folder = process.argv[2] ?? process.env.KELVARA_PICTURES;

// name, the check, kelvara-gen's options, text.
const PICTURES = [
  ['plain', 'glyphs', [], '虹色の文字'],
  ['three_sizes', 'glyphs', ['--font-mode=2', '--colors=3'], 'グラデーション'],
  ['vertical_pixels', 'glyphs-vertical', ['--vertical', '--font-mode=3', '--max=30', '--min=12'], '日本口'],
  ['vertical_oklch', 'glyphs-vertical', ['--vertical', '--space=oklch'], '日本口'],
  ['scaled_bold', 'glyphs', ['--scale=2', '--bold', '--px=20'], 'Help'],
  ['latin_pixels', 'glyphs', ['--font-mode=4', '--min=10', '--max=40'], 'Hello'],
  ['stops', 'glyphs', ['--stops=00AA00,FF00FF,0000FF,FF8800'], '色とりどり'],
  ['half_width_marks', 'glyphs', ['--px=40'], 'ｶﾞｷﾟ'],
  ['back', 'size', ['--px=32', '--image-back=FFEE00'], '文字'],
  ['clear', 'size', ['--px=32'], '文字'],
  ['effects', 'effects', ['--outline=000000', '--shadow=808080'], '文字'],
  ['css', 'css', ['--format=css', '--stops=FF0000,0000FF'], '一二三四五'],
  ['lines', 'lines-2', ['--stops=FF0000,00AA00,0000FF'], '一行目\r\n\n三行目のテキスト'],
  ['lines_centred', 'lines-center-2', ['--center'], '日本\n色のある文字'],
  ['columns', 'lines-vertical-2', ['--vertical'], '日本\n口目'],
  // Seven glyphs of 48 px and a mark pass 350 px; "。" may not begin a line nor "「" end one, so each
  // line ends a glyph earlier (the counts of glyphs a line).
  ['wrapped_before_stop', 'wrap-6-5', ['--wrap=350'], '日本口目日本口。目日本'],
  ['wrapped_bracket', 'wrap-6-6', ['--wrap=350', '--center'], '日本口目日本「口目」日本'],
  ['wrapped_latin', 'wrap-6-3', ['--wrap=85', '--px=20'], 'HIH IHI HIH'],
  // Longer than the pieces the page hands the browser's line breaking at a time: no place to
  // break is lost between them.
  ['wrapped_long', 'wrap-8x50', ['--wrap=400'], '日本口目'.repeat(100)],
];

// Refused or noted as kelvara-gen --image refuses or notes them.
const REFUSALS = [
  ['too small px', ['--px=2'], 'abc'],
  ['too large scale', ['--scale=9'], 'abc'],
  ['bad outline', ['--outline=red'], 'abc'],
  ['too short text', ['--colors=3'], 'a'],
  ['unknown option', ['--nope'], 'abc'],
  ['too narrow a wrap', ['--wrap=2'], 'abc'],
];

// Refused by the page's layout with kelvara-gen's message on a picture too large to open.
const TOO_LARGE = ['--px=512', '--scale=4'];
const NOTED = [
  ['centring and blinking', ['--center', '--blink'], 'abc'],
];

// The text after the keyword "Description" in a tEXt or iTXt chunk, as the desktop writes it.
function description(png) {
  for (let at = 8; at + 12 <= png.length;) {
    const length = png.readUInt32BE(at);
    const type = png.toString('latin1', at + 4, at + 8);
    const data = png.subarray(at + 8, at + 8 + length);
    if (type === 'tEXt' && data.toString('latin1').startsWith('Description\0')) {
      return data.toString('latin1', 12);
    }
    if (type === 'iTXt' && data.toString('latin1').startsWith('Description\0')) {
      return data.toString('utf8', 16);
    }
    at += length + 12;
  }
  return null;
}

describe(`kelvara.picture in ${browserName}`, () => {
  let browser;
  let page;
  before(async () => {
    fs.mkdirSync(folder, { recursive: true });
    browser = await launch();
    page = await openPage(browser);
  });
  after(async () => browser?.close());

  const draw = (args, text) => page.evaluate(async (a, t) => {
    try {
      const blob = await window.kelvara.picture(a, t);
      const bytes = new Uint8Array(await blob.arrayBuffer());
      let binary = '';
      for (const byte of bytes) binary += String.fromCharCode(byte);
      return { status: 0, png: btoa(binary), type: blob.type, messages: blob.messages };
    } catch (error) {
      return { status: error.status, messages: error.messages };
    }
  }, args, text);

  it('draws every picture of the table as a PNG', async () => {
    const manifest = [];
    for (const [name, check, args, text] of PICTURES) {
      const picture = await draw(args, text);
      assert.equal(picture.status, 0, `${name}: ${picture.messages}`);
      assert.equal(picture.type, 'image/png');
      const file = path.join(folder, `${name}.png`);
      const png = Buffer.from(picture.png, 'base64');
      assert.equal(description(png), text, `${name}: the text as the picture's description`);
      fs.writeFileSync(file, png);
      // Every chunk whole, its CRC right: a file strict readers open.
      const strict = spawnSync('pngcheck', [file], { encoding: 'utf8' });
      assert.equal(strict.status, 0, `${name}: ${strict.stdout}`);
      // One line a picture: line breaks and tabs in the text written as \n, \r, \t.
      const escaped = text.replace(/[\\\n\r\t]/g, (c) => ({ '\\': '\\\\', '\n': '\\n', '\r': '\\r', '\t': '\\t' })[c]);
      manifest.push([name, check, file, escaped, ...args].join('\t'));
    }
    fs.writeFileSync(path.join(folder, 'manifest.tsv'), `${manifest.join('\n')}\n`);
  });

  for (const [name, args, text] of REFUSALS) {
    it(`refuses as kelvara-gen --image does: ${name}`, async () => {
      const gen = runGen(['--image=picture.png', ...args], text);
      assert.notEqual(gen.status, 0);
      assert.deepEqual(await draw(args, text), { status: gen.status, messages: gen.messages });
    });
  }

  for (const [name, args, text] of NOTED) {
    it(`notes what a picture cannot show as kelvara-gen --image does: ${name}`, async () => {
      const file = path.join(folder, 'noted.png');
      const gen = runGen([`--image=${file}`, ...args], text);
      fs.rmSync(file, { force: true });
      assert.equal(gen.status, 0);
      const picture = await draw(args, text);
      assert.equal(picture.status, 0);
      assert.deepEqual(picture.messages, gen.messages);
    });
  }

  it('refuses a picture too large to open, naming its size and what helps', async () => {
    const picture = await draw(TOO_LARGE, 'とても長い一行の文字列'.repeat(20));
    assert.equal(picture.status, 1);
    assert.match(picture.messages.at(-1),
      /^kelvara-gen: cannot draw picture: it would be \d+ x \d+ pixels, over the limit of 16384 pixels a side .*--wrap=N, a smaller --px, a smaller --scale or a shorter text helps$/);
  });

  it('refuses a picture file of its own: the page hands the picture over as a Blob', async () => {
    assert.deepEqual(await draw(['--image=a.png'], 'abc'),
      { status: 2, messages: ['kelvara-gen: --image is not available in the browser'] });
  });
});
