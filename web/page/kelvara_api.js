// SPDX-License-Identifier: MIT
// window.kelvara: kelvara-gen compiled into the page. run() gives what
// `printf '%s' text | kelvara-gen args...` gives; picture() draws what `kelvara-gen --image`
// draws, on a canvas; tables are the engine's lists of formats, colour spaces and options.
'use strict';

(() => {
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();

  // The engine asks the page where the grapheme clusters of a text end.
  const segmenter = typeof Intl === 'object' && typeof Intl.Segmenter === 'function'
    ? new Intl.Segmenter(undefined, { granularity: 'grapheme' }) : null;
  function clusterEnds(text) {
    if (!segmenter) return null;
    const ends = [];
    for (const { index, segment } of segmenter.segment(text)) ends.push(index + segment.length);
    return Uint32Array.from(ends);
  }

  // The engine asks where a wrapped line of a picture may end: the browser's own Japanese line
  // breaking (CSS line-break: strict, as ICU's ja@lb=strict on the desktop). Laid out in a box
  // too narrow for anything, a text takes every break it may: each new line marks one. A box
  // holds a piece of the text with some of its neighbours on either side, as the rules look
  // only a few characters around a break (and finding a character's line in one large box
  // takes a browser time that grows with the box).
  const BREAK_PIECE = 256;
  const BREAK_CONTEXT = 32;
  const isLowSurrogate = (text, i) => i > 0 && i < text.length && /[\uDC00-\uDFFF]/.test(text[i]);

  function lineBreaks(text) {
    const holder = document.createElement('div');
    holder.lang = 'ja';
    holder.setAttribute('aria-hidden', 'true');
    holder.style.cssText = 'position:absolute;left:0;top:0;visibility:hidden;'
      + 'white-space:pre-wrap;line-break:strict;word-break:normal;overflow-wrap:normal;'
      + 'font:16px sans-serif';
    const pieces = [];
    for (let from = 0; from < text.length; from += BREAK_PIECE) {
      let start = Math.max(0, from - BREAK_CONTEXT);
      let end = Math.min(text.length, from + BREAK_PIECE + BREAK_CONTEXT);
      if (isLowSurrogate(text, start)) start -= 1;
      if (isLowSurrogate(text, end)) end += 1;
      const box = document.createElement('div');
      box.style.width = '0';
      const node = document.createTextNode(text.slice(start, end));
      box.append(node);
      holder.append(box);
      pieces.push({ node, start, from, to: Math.min(text.length, from + BREAK_PIECE) });
    }
    document.body.append(holder);
    const range = document.createRange();
    const breaks = [];
    try {
      for (const { node, start, from, to } of pieces) {
        let top = null;
        for (let i = start; i < Math.min(text.length, to + 1);) {
          const next = i + (text.codePointAt(i) > 0xFFFF ? 2 : 1);
          range.setStart(node, i - start);
          range.setEnd(node, Math.min(next, start + node.length) - start);
          const rect = range.getClientRects()[0];
          if (rect && rect.width + rect.height > 0) {
            if (top !== null && rect.top > top + 1 && i >= from && i < to) breaks.push(i);
            top = rect.top;
          }
          i = next;
        }
      }
    } finally {
      holder.remove();
    }
    return Uint32Array.from(breaks);
  }

  let module = null;

  // Calls an entry point with the arguments (each ended by a NUL byte) and the input as UTF-8.
  function call(entry, args, text) {
    if (!module) throw new Error('kelvara: await kelvara.ready first');
    if (!Array.isArray(args)) throw new TypeError('kelvara: args must be an array of strings');
    const argBytes = encoder.encode(args.map((a) => `${a}\0`).join(''));
    const input = encoder.encode(String(text ?? ''));
    const argPointer = module._malloc(argBytes.length + 1);
    const inputPointer = module._malloc(input.length + 1);
    try {
      module.HEAPU8.set(argBytes, argPointer);
      module.HEAPU8.set(input, inputPointer);
      const result = module[entry](argPointer, argBytes.length, inputPointer, input.length) >> 2;
      const words = module.HEAPU32;  // after the call: memory may have grown
      const bytes = (at) => module.HEAPU8.subarray(words[at], words[at] + words[at + 1]);
      const err = decoder.decode(bytes(result + 3));
      const messages = err === '' ? [] : err.replace(/\n$/, '').split('\n');
      return { status: module.HEAP32[result], output: decoder.decode(bytes(result + 1)), messages };
    } finally {
      module._free(argPointer);
      module._free(inputPointer);
    }
  }

  // A picture that cannot be drawn: kelvara-gen's exit status and messages.
  class PictureError extends Error {
    constructor(status, messages) {
      super(messages.join('\n'));
      this.name = 'PictureError';
      this.status = status;
      this.messages = messages;
    }
  }

  const kelvara = {
    tables: null,
    ready: null,
    run(args, text) {
      return call('_kelvara_run', args, text);
    },
    // Resolves to the PNG as a Blob; its `messages` are the notes kelvara-gen --image writes.
    // Rejects with a PictureError (status, messages) when kelvara-gen would refuse.
    async picture(args, text) {
      await kelvara.ready;
      const result = call('_kelvara_picture', args, text);
      if (result.status !== 0) throw new PictureError(result.status, result.messages);
      // The size is known once the page has laid the picture out; kelvara-gen's limits apply.
      const tooLarge = (width, height) => {
        const pointer = module._kelvara_picture_too_large(width, height);
        return decoder.decode(module.HEAPU8.subarray(pointer, module.HEAPU8.indexOf(0, pointer)));
      };
      const blob = await window.kelvaraDrawPicture(JSON.parse(result.output), (width, height) => {
        const message = tooLarge(width, height);
        if (message) throw new PictureError(1, [...result.messages, message]);
      });
      Object.defineProperty(blob, 'messages', { value: result.messages });
      return blob;
    },
    PictureError,
  };
  // The WebAssembly travels in the page gzip-compressed, as base64.
  async function wasmBinary() {
    const packed = Uint8Array.from(atob(window.kelvaraWasm), (c) => c.charCodeAt(0));
    const stream = new Blob([packed]).stream().pipeThrough(new DecompressionStream('gzip'));
    return new Uint8Array(await new Response(stream).arrayBuffer());
  }

  kelvara.ready = wasmBinary().then((binary) => window.KelvaraModule({
    clusterEnds, lineBreaks, wasmBinary: binary,
  })).then((instance) => {
    module = instance;
    const pointer = module._kelvara_tables();
    const end = module.HEAPU8.indexOf(0, pointer);
    kelvara.tables = Object.freeze(JSON.parse(decoder.decode(module.HEAPU8.subarray(pointer, end))));
    return kelvara;
  });
  window.kelvara = kelvara;
})();
