// SPDX-License-Identifier: MIT
// The WebAssembly module travels inside the page's script and is handed to the loader, which
// would otherwise try to fetch it; the page's policy forbids every request, so the loader is
// kept from trying.
// eslint-disable-next-line no-unused-vars, no-var
var fetch = undefined;
