// SPDX-License-Identifier: MIT
// What the engine asks of the browser hosting it: the module calls these with a text on its
// heap, and they ask the functions the page passed in: Module.clusterEnds (the browser's
// Intl.Segmenter) for the end offset of every grapheme cluster, Module.lineBreaks (the
// browser's own Japanese line breaking) for every offset a wrapped line may end before.
mergeInto(LibraryManager.library, {
  $kelvaraHostText: function (text, length) {
    const units = HEAPU16.subarray(text >> 1, (text >> 1) + length);
    let string = '';
    for (let i = 0; i < length; i += 4096) {
      string += String.fromCharCode.apply(null, units.subarray(i, Math.min(length, i + 4096)));
    }
    return string;
  },
  // Writes what `ask` found (at most `length` offsets) to `out`; 0 when there is nothing to ask.
  $kelvaraHostOffsets__deps: ['$kelvaraHostText'],
  $kelvaraHostOffsets: function (ask, text, length, out) {
    if (typeof ask !== 'function') return 0;
    const found = ask(kelvaraHostText(text, length));
    if (!found || found.length > length) return 0;
    HEAPU32.set(found, out >> 2);
    return found.length;
  },
  kelvara_host_cluster_ends__deps: ['$kelvaraHostOffsets'],
  kelvara_host_cluster_ends: function (text, length, ends) {
    return kelvaraHostOffsets(Module['clusterEnds'], text, length, ends);
  },
  kelvara_host_line_breaks__deps: ['$kelvaraHostOffsets'],
  kelvara_host_line_breaks: function (text, length, breaks) {
    return kelvaraHostOffsets(Module['lineBreaks'], text, length, breaks);
  },
});
