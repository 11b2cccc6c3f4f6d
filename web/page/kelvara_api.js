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
    clusterEnds, wasmBinary: binary,
  })).then((instance) => {
    module = instance;
    const pointer = module._kelvara_tables();
    const end = module.HEAPU8.indexOf(0, pointer);
    kelvara.tables = Object.freeze(JSON.parse(decoder.decode(module.HEAPU8.subarray(pointer, end))));
    return kelvara;
  });
  window.kelvara = kelvara;
})();
