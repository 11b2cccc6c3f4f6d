// SPDX-License-Identifier: MIT
// The WebAssembly module travels inside the page's script as a data: URL, which the loader
// would first try to fetch; the page's policy forbids every request, so the loader is kept
// from trying and decodes the module straight away.
// eslint-disable-next-line no-unused-vars, no-var
var fetch = undefined;
