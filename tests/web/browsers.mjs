// SPDX-License-Identifier: MIT
// The browsers the page is tested in: Debian's Chromium (over the DevTools protocol) and
// Firefox ESR (over WebDriver BiDi), headless, each with a fresh profile, nothing downloaded.
// BROWSER names which one; KELVARA_PAGE is the built page, KELVARA_GEN the real kelvara-gen.
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

import puppeteer from 'puppeteer-core';

export const browserName = process.env.BROWSER ?? 'chromium';
export const pagePath = process.env.KELVARA_PAGE;
export const genPath = process.env.KELVARA_GEN;
export const pageUrl = pathToFileURL(pagePath ?? '').href;

if (!pagePath || !fs.existsSync(pagePath)) {
  throw new Error(`no page at "${pagePath}": build it first with bash scripts/web.sh`);
}

const CHROMIUM_ARGS = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--lang=ja',
];

// Firefox: the async clipboard readable by the test without a paste prompt, no network.
const FIREFOX_PREFS = {
  'dom.events.testing.asyncClipboard': true,
  'network.proxy.type': 0,
  'browser.download.folderList': 2,
  'browser.download.useDownloadDir': true,
  'intl.accept_languages': 'ja',
};

// A launched browser and its private profile folder, removed on close; `dark` as a system set
// to the dark scheme.
export async function launch({ downloads, dark } = {}) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), `kelvara-${browserName}-`));
  const options = browserName === 'firefox'
    ? {
      browser: 'firefox',
      executablePath: process.env.FIREFOX ?? '/usr/bin/firefox-esr',
      headless: true,
      userDataDir: profile,
      extraPrefsFirefox: {
        ...FIREFOX_PREFS,
        ...(downloads ? { 'browser.download.dir': downloads } : {}),
        ...(dark ? { 'layout.css.prefers-color-scheme.content-override': 0 } : {}),
      },
    }
    : {
      executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
      headless: true,
      userDataDir: profile,
      args: [...CHROMIUM_ARGS, ...(dark ? ['--force-dark-mode'] : [])],
    };
  const browser = await puppeteer.launch({ ...options, protocolTimeout: 120_000 });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return browser;
}

// A page with the built file open and the engine ready.
export async function openPage(browser, url = pageUrl, context = null) {
  const page = await (context ?? browser).newPage();
  await page.goto(url);
  await page.waitForSelector('html[data-ready="true"]', { timeout: 30_000 });
  return page;
}

// What `printf '%s' text | kelvara-gen args...` gives, in run()'s shape.
export function runGen(args, text) {
  const result = spawnSync(genPath, args, { input: Buffer.from(text, 'utf8'), maxBuffer: 1 << 28 });
  const err = result.stderr.toString('utf8');
  return {
    status: result.status,
    output: result.stdout.toString('utf8'),
    messages: err === '' ? [] : err.replace(/\n$/, '').split('\n'),
  };
}
