// SPDX-License-Identifier: MIT
// The engine's grapheme cluster splitter in the page: the module calls this with a text on its
// heap, and it asks the function the page passed in as Module.clusterEnds (the browser's
// Intl.Segmenter) for the end offset of every cluster.
mergeInto(LibraryManager.library, {
  kelvara_host_cluster_ends: function (text, length, ends) {
    if (typeof Module['clusterEnds'] !== 'function') return 0;
    const units = HEAPU16.subarray(text >> 1, (text >> 1) + length);
    let string = '';
    for (let i = 0; i < length; i += 4096) {
      string += String.fromCharCode.apply(null, units.subarray(i, Math.min(length, i + 4096)));
    }
    const found = Module['clusterEnds'](string);
    if (!found || found.length > length) return 0;
    HEAPU32.set(found, ends >> 2);
    return found.length;
  },
});
