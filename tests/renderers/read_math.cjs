// SPDX-License-Identifier: MIT
// Reads the latex format as Zenn (KaTeX) and GitHub (MathJax 3, with or without its
// textmacros extension) read it, and prints what a reader sees: line 1, every piece of text
// of the formula's MathML as a JSON array of {"text", "color": "#RRGGBB"}; line 2, the
// variants (bold, italic) of the text, in order, each once. A formula the renderer rejects is
// an error (exit status 1).
//   node read_math.cjs katex|mathjax|mathjax-textmacros FILE
'use strict';
const fs = require('fs');

function fail(message) {
  process.stderr.write(`read_math: ${message}\n`);
  process.exit(1);
}

function katexMathml(tex) {
  const katex = require('katex');
  return katex.renderToString(tex, { output: 'mathml', throwOnError: true });
}

function mathjaxMathml(source, textmacros) {
  require('mathjax-full/js/util/asyncLoad/node.js');
  const { mathjax } = require('mathjax-full/js/mathjax.js');
  const { TeX } = require('mathjax-full/js/input/tex.js');
  const { liteAdaptor } = require('mathjax-full/js/adaptors/liteAdaptor.js');
  const { RegisterHTMLHandler } = require('mathjax-full/js/handlers/html.js');
  const { AllPackages } = require('mathjax-full/js/input/tex/AllPackages.js');
  const { SerializedMmlVisitor } = require('mathjax-full/js/core/MmlTree/SerializedMmlVisitor.js');
  require('mathjax-full/js/input/tex/textmacros/TextMacrosConfiguration.js');
  // Every package a page may load, but those that hide errors or need a layout engine.
  const skipped = ['bussproofs', 'noerrors', 'noundefined', 'textmacros'];
  const packages = AllPackages.filter((name) => !skipped.includes(name));
  if (textmacros) packages.push('textmacros');
  RegisterHTMLHandler(liteAdaptor());
  const input = new TeX({ packages, formatError: (jax, error) => { throw error; } });
  const document = mathjax.document('', { InputJax: input });
  const node = document.convert(source, { display: false, end: 'compiled' });
  return new SerializedMmlVisitor().visitTree(node);
}

const entities = { amp: '&', lt: '<', gt: '>', quot: '"', apos: "'" };
function decode(text) {
  return text.replace(/&(#x[0-9a-fA-F]+|#[0-9]+|[a-z]+);/g, (all, name) => {
    if (name.startsWith('#x')) return String.fromCodePoint(parseInt(name.slice(2), 16));
    if (name.startsWith('#')) return String.fromCodePoint(parseInt(name.slice(1), 10));
    if (name in entities) return entities[name];
    fail(`unknown entity ${all}`);
    return '';
  });
}

const tokens = ['mi', 'mn', 'mo', 'mtext', 'ms'];

// The text of the token elements in order, each with the colour and variant that apply.
function pieces(mathml) {
  const out = [];
  const stack = [{ name: '', color: '', variant: '' }];
  const pattern = /<(\/?)([a-zA-Z]+)((?:[^>"]|"[^"]*")*?)(\/?)>|([^<]+)/g;
  let skip = 0;  // inside the annotation that repeats the source
  for (const match of mathml.matchAll(pattern)) {
    const [, closing, name, attributes, selfClosing, text] = match;
    const top = stack[stack.length - 1];
    if (text !== undefined) {
      if (skip === 0 && tokens.includes(top.name)) {
        out.push({ text: decode(text), color: top.color, variant: top.variant });
      }
      continue;
    }
    if (closing) {
      stack.pop();
      if (name === 'annotation') --skip;
      continue;
    }
    const attribute = (key) => {
      const found = new RegExp(`\\s${key}="([^"]*)"`).exec(attributes);
      return found ? found[1] : null;
    };
    const element = {
      name,
      color: attribute('mathcolor') ?? top.color,
      variant: attribute('mathvariant') ?? top.variant,
    };
    if (!selfClosing) {
      stack.push(element);
      if (name === 'annotation') ++skip;
    }
  }
  return out;
}

const [renderer, file] = process.argv.slice(2);
const source = fs.readFileSync(file, 'utf8');
if (!source.startsWith('$') || !source.endsWith('$') || source.length < 2) {
  fail('not one $...$ formula');
}
const tex = source.slice(1, -1);
let mathml;
try {
  if (renderer === 'katex') mathml = katexMathml(tex);
  else if (renderer === 'mathjax') mathml = mathjaxMathml(tex, false);
  else if (renderer === 'mathjax-textmacros') mathml = mathjaxMathml(tex, true);
  else fail(`unknown renderer ${renderer}`);
} catch (error) {
  fail(`${renderer}: ${error.message}`);
}
const read = pieces(mathml);
const variants = [];
for (const piece of read) {
  if (['bold', 'italic'].includes(piece.variant) && !variants.includes(piece.variant)) {
    variants.push(piece.variant);
  }
}
const runs = read.map((piece) => ({ text: piece.text, color: piece.color }));
process.stdout.write(`${JSON.stringify(runs)}\n${variants.join(' ')}\n`);
