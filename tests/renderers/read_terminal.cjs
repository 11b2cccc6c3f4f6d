// SPDX-License-Identifier: MIT
// Reads the discord format as Discord shows it: the code block's fences checked, its text
// drawn by a terminal emulator (xterm.js), and what the cells hold printed: line 1, every
// character as a JSON array of {"text", "color": "#RRGGBB"}, the colour being the one Discord
// draws for the cell's palette colour; line 2, the styles seen ("bold", "underline"), each
// once. A broken fence, a colour outside the eight, or a character with no colour is an error
// (exit status 1).
//   node read_terminal.cjs FILE
'use strict';
const fs = require('fs');
const { Terminal } = require('@xterm/headless');

// The colours Discord draws for the codes 30 to 37.
const discord = ['#4F545C', '#DC322F', '#859900', '#B58900', '#268BD2', '#D33682', '#2AA198',
  '#FFFFFF'];

function fail(message) {
  process.stderr.write(`read_terminal: ${message}\n`);
  process.exit(1);
}

const source = fs.readFileSync(process.argv[2], 'utf8');
const open = '```ansi\n';
const close = '\n```';
if (!source.startsWith(open) || !source.endsWith(close) || source.length < open.length + close.length) {
  fail('not one ansi code block');
}
const inside = source.slice(open.length, -close.length);
if (inside.includes('```')) fail('the code block ends early');

const terminal = new Terminal({ cols: 1000, rows: 100, convertEol: true, allowProposedApi: true });
terminal.write(inside, () => {
  const buffer = terminal.buffer.active;
  const cells = [];
  const styles = [];
  const cell = buffer.getNullCell();
  for (let y = 0; y <= buffer.cursorY; ++y) {
    const line = buffer.getLine(y);
    if (y > 0 && !line.isWrapped) cells.push({ text: '\n', color: cells.length ? cells[cells.length - 1].color : '' });
    const end = y === buffer.cursorY ? buffer.cursorX : line.length;
    for (let x = 0; x < end; ++x) {
      line.getCell(x, cell);
      if (cell.getWidth() === 0) continue;  // the second half of a wide character
      const text = cell.getChars();
      if (text === '') break;  // nothing written here
      if (!cell.isFgPalette() || cell.getFgColor() > 7) fail(`no colour of the eight at ${y}:${x}`);
      cells.push({ text, color: discord[cell.getFgColor()] });
      if (cell.isBold() && !styles.includes('bold')) styles.push('bold');
      if (cell.isUnderline() && !styles.includes('underline')) styles.push('underline');
    }
  }
  process.stdout.write(`${JSON.stringify(cells)}\n${styles.join(' ')}\n`);
});
