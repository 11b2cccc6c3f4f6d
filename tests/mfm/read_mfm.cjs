// SPDX-License-Identifier: MIT
// Reads MFM with Misskey's own parser (mfm-js) and prints what a reader of the note sees:
// line 1, the coloured runs as a JSON array of {"text", "color": "#RRGGBB"}; line 2, the
// wrappers around them, outermost first. Anything the parser read as other markup is an
// error (exit status 1).
//   node read_mfm.cjs FILE
'use strict';
const fs = require('fs');
const mfm = require('mfm-js');

const wrappers = ['center', 'bold', 'italic', 'strike'];

function fail(message) {
  process.stderr.write(`read_mfm: ${message}\n`);
  process.exit(1);
}

// The text of a function's children: text, <plain> and Unicode emoji (which Misskey draws as
// pictures, but which are the typed characters all the same).
function textOf(nodes) {
  let text = '';
  for (const node of nodes) {
    if (node.type === 'text') text += node.props.text;
    else if (node.type === 'unicodeEmoji') text += node.props.emoji;
    else if (node.type === 'plain') text += textOf(node.children);
    else fail(`markup inside a run: ${JSON.stringify(node)}`);
  }
  return text;
}

let nodes = mfm.parse(fs.readFileSync(process.argv[2], 'utf8'));
const around = [];
while (nodes.length === 1 && wrappers.includes(nodes[0].type)) {
  around.push(nodes[0].type);
  nodes = nodes[0].children;
}
const runs = nodes.map((node) => {
  if (node.type !== 'fn' || node.props.name !== 'fg' || typeof node.props.args.color !== 'string') {
    fail(`not a coloured run: ${JSON.stringify(node)}`);
  }
  return { text: textOf(node.children), color: `#${node.props.args.color}` };
});
process.stdout.write(`${JSON.stringify(runs)}\n${around.join(' ')}\n`);
