// SPDX-License-Identifier: MIT
// The page's controls: they become kelvara-gen's arguments, the result comes from kelvara.run
// on every change, the picture from kelvara.picture. The lists (formats, colour spaces, on/off
// options) come from the engine's tables. Choices are kept in localStorage and in the URL's
// fragment, so a reload or a copied link brings them back.
'use strict';

(() => {
  const STORAGE_KEY = 'kelvara';
  const $ = (id) => document.getElementById(id);
  const HEX = /^[0-9A-Fa-f]{6}$/;

  // Each choice: its key in the fragment and in storage, and its default.
  const FIELDS = [
    ['text', 't', 'グラデーション文字'], ['first', 'f', ''], ['middle', 'm', ''], ['last', 'l', ''],
    ['target', 'tg', ''], ['format', 'fmt', ''], ['space', 'sp', ''], ['fit', 'fit', ''],
    ['face', 'face', ''], ['font-mode', 'fm', '0'], ['base-size', 'bs', ''],
    ['max-size', 'max', ''], ['min-size', 'min', ''], ['back', 'bg', ''],
    ['px', 'px', ''], ['wrap', 'wr', ''], ['scale', 'sc', '1'], ['outline', 'ol', '000000'], ['shadow', 'sh', '808080'],
  ];
  const CHECKS = [
    ['use-middle', 'um'], ['contrast', 'c'], ['image-back', 'ib'], ['use-outline', 'uo'],
    ['use-shadow', 'us'],
  ];

  let tables = null;
  let defaults = {};
  let lastResult = '';

  function formatRow(name) {
    return tables.formats.find((row) => row.name === name) ?? tables.formats[0];
  }

  // The chosen place, or null for "指定なし".
  function targetRow() {
    return tables.targets.find((row) => row.name === $('target').value) ?? null;
  }

  function option(value, caption) {
    const element = document.createElement('option');
    element.value = value;
    element.textContent = caption;
    return element;
  }

  // The lists from the engine's tables.
  function buildLists() {
    const format = $('format');
    const window = tables.formats.filter((row) => row.window);
    const genOnly = tables.formats.filter((row) => !row.window);
    for (const row of window) format.append(option(row.name, row.caption));
    if (genOnly.length > 0) {
      const group = document.createElement('optgroup');
      group.label = 'kelvara-gen の形式';
      for (const row of genOnly) group.append(option(row.name, row.note || row.name));
      format.append(group);
    }
    $('target').append(option('', '指定なし'));
    for (const row of tables.targets) $('target').append(option(row.name, row.caption));
    for (const row of tables.spaces) $('space').append(option(row.name, row.caption));
    for (let size = 1; size <= 7; size += 1) $('base-size').append(option(size, String(size)));
    for (let s = tables.limits.minScale; s <= tables.limits.maxScale; s += 1) {
      $('scale').append(option(s, `${s}倍`));
    }
    $('px').min = tables.limits.minPx;
    $('px').max = tables.limits.maxPx;
    const box = $('options');
    for (const row of tables.options) {
      const label = document.createElement('label');
      label.className = 'toggle';
      const input = document.createElement('input');
      input.type = 'checkbox';
      input.dataset.flag = row.flag;
      const caption = document.createElement('span');
      caption.textContent = row.label;
      label.title = row.caption;  // what it does, as the window's toolbar tooltip says it
      label.append(input, caption);
      box.append(label);
    }
  }

  function stopRow(value) {
    const item = document.createElement('li');
    const label = document.createElement('label');
    const input = document.createElement('input');
    input.className = 'hex';
    input.maxLength = 6;
    input.spellcheck = false;
    input.value = value;
    const picker = document.createElement('input');
    picker.type = 'color';
    const remove = document.createElement('button');
    remove.type = 'button';
    remove.className = 'quiet';
    remove.textContent = '削除';
    const pair = document.createElement('span');
    pair.className = 'pair';
    pair.append(input, picker);
    item.append(label, pair, remove);
    remove.addEventListener('click', () => {
      const next = item.nextElementSibling ?? item.previousElementSibling;
      item.remove();
      numberStops();
      (next?.querySelector('input.hex') ?? $('add-stop')).focus();
      changed();
    });
    return item;
  }

  // Labels follow the position: "追加の色 1", "追加の色 2", ...
  function numberStops() {
    const rows = [...$('stops').children];
    rows.forEach((item, i) => {
      const [input, picker] = item.querySelectorAll('input');
      input.id = `stop-${i + 1}`;
      item.querySelector('label').htmlFor = input.id;
      item.querySelector('label').textContent = `追加の色 ${i + 1}`;
      picker.dataset.for = input.id;
      picker.setAttribute('aria-label', `追加の色 ${i + 1}をパレットで選ぶ`);
      item.querySelector('button').setAttribute('aria-label', `追加の色 ${i + 1}を削除`);
    });
    // First, middle and last take three of the colours.
    $('add-stop').disabled = rows.length >= tables.limits.stops - 3;
  }

  function stops() {
    return [...$('stops').querySelectorAll('input.hex')].map((input) => input.value.trim());
  }

  // The choices as one flat record: what storage and the fragment keep.
  function readChoices() {
    const choices = {};
    for (const [id, key] of FIELDS) choices[key] = $(id).value;
    for (const [id, key] of CHECKS) choices[key] = $(id).checked ? '1' : '';
    choices.s = stops().join(',');
    choices.o = [...$('options').querySelectorAll('input:checked')]
      .map((input) => input.dataset.flag).join(',');
    return choices;
  }

  function applyChoices(choices) {
    for (const [id, key, fallback] of FIELDS) {
      $(id).value = choices[key] ?? (fallback || defaults[key] || '');
      if ($(id).tagName === 'SELECT' && $(id).selectedIndex < 0) $(id).selectedIndex = 0;
    }
    for (const [id, key] of CHECKS) $(id).checked = choices[key] === '1';
    $('stops').replaceChildren(...(choices.s ? choices.s.split(',') : [])
      .slice(0, tables.limits.stops - 3).map(stopRow));
    numberStops();
    const on = new Set((choices.o ?? '').split(','));
    for (const input of $('options').querySelectorAll('input')) {
      input.checked = on.has(input.dataset.flag);
    }
  }

  function choicesOfFragment() {
    if (location.hash.length < 2) return null;
    return Object.fromEntries(new URLSearchParams(location.hash.slice(1)));
  }

  // The stored record: the choices, and the addresses this page gave them (the one before the
  // last save too: a reload that follows a change at once still loads that one).
  function storedRecord() {
    try {
      const record = JSON.parse(localStorage.getItem(STORAGE_KEY) ?? 'null');
      return record?.choices ? record : null;
    } catch {
      return null;
    }
  }

  // A link from elsewhere wins; the address this page wrote itself gives way to what was saved
  // after it.
  function startingChoices() {
    const record = storedRecord();
    const own = record && [record.hash, record.previous].includes(location.hash);
    return (own ? record.choices : choicesOfFragment()) ?? record?.choices ?? {};
  }

  function keep(choices) {
    const hash = `#${new URLSearchParams(choices).toString()}`;
    const previous = location.hash;
    history.replaceState(null, '', hash);
    try {
      localStorage.setItem(STORAGE_KEY, JSON.stringify({ choices, hash, previous }));
    } catch {
      // Storage full or refused: the fragment still holds the choices.
    }
  }

  // A place chooses the format and its limit: --target, and --fit only where the limit typed
  // differs from the place's. A limit cleared for a place that has one is no limit at all,
  // which only the format itself says.
  function formatArguments(format, fit) {
    const target = targetRow();
    const limit = target?.limit ? String(target.limit) : '';
    if (target && !(fit === '' && limit !== '')) {
      return [`--target=${target.name}`, ...(fit !== limit ? [`--fit=${fit}`] : [])];
    }
    const args = format !== defaults.fmt ? [`--format=${format}`] : [];
    return fit !== '' ? [...args, `--fit=${fit}`] : args;
  }

  // kelvara-gen's arguments for the text output.
  function textArguments() {
    const format = $('format').value;
    const fit = formatRow(format).fits ? $('fit').value.trim() : '';
    const args = formatArguments(format, fit);
    if ($('space').value !== defaults.sp) args.push(`--space=${$('space').value}`);
    const first = $('first').value.trim();
    const last = $('last').value.trim();
    const middle = $('use-middle').checked ? [$('middle').value.trim()] : [];
    const extra = stops();
    if (extra.length > 0) {
      args.push(`--stops=${[first, ...middle, ...extra, last].join(',')}`);
    } else {
      args.push(`--first=${first}`, `--last=${last}`);
      if (middle.length > 0) args.push('--colors=3', `--middle=${middle[0]}`);
    }
    for (const input of $('options').querySelectorAll('input:checked:not(:disabled)')) {
      args.push(`--${input.dataset.flag}`);
    }
    const mode = $('font-mode').value;
    if (mode !== '0') args.push(`--font-mode=${mode}`);
    if (mode === '0' && $('base-size').value !== defaults.bs) {
      args.push(`--base-size=${$('base-size').value}`);
    }
    if (mode === '3' || mode === '4') {
      if ($('max-size').value.trim() !== '') args.push(`--max=${$('max-size').value.trim()}`);
      if ($('min-size').value.trim() !== '') args.push(`--min=${$('min-size').value.trim()}`);
    }
    if ($('face').value !== defaults.face) args.push(`--face=${$('face').value}`);
    if ($('contrast').checked) args.push(`--contrast=${$('back').value.trim()}`);
    return args;
  }

  // The same run drawn as a picture: the picture's own options added.
  function pictureArguments() {
    const args = textArguments().filter((a) => !a.startsWith('--contrast='));
    if ($('px').value !== '' && $('px').value !== defaults.px) args.push(`--px=${$('px').value}`);
    if ($('scale').value !== '1') args.push(`--scale=${$('scale').value}`);
    if ($('wrap').value.trim() !== '') args.push(`--wrap=${$('wrap').value.trim()}`);
    if ($('image-back').checked) args.push(`--image-back=${$('back').value.trim()}`);
    if ($('use-outline').checked) args.push(`--outline=${$('outline').value.trim()}`);
    if ($('use-shadow').checked) args.push(`--shadow=${$('shadow').value.trim()}`);
    return args;
  }

  // The command a terminal would run for the same result.
  function commandLine(args) {
    const quote = (a) => (/^[\w=,.#:+/-]+$/.test(a) ? a : `'${a.replace(/'/g, "'\\''")}'`);
    return ['kelvara-gen', ...args].map(quote).join(' ');
  }

  function showMessages(messages) {
    const list = $('messages');
    const rows = [];
    list.replaceChildren();
    for (const line of messages) {
      const contrast = /^(\d+)\t([^\t]*)\t(#[0-9A-F]{6})\t(\S+)$/.exec(line);
      if (contrast) {
        rows.push(contrast.slice(1));
        continue;
      }
      const item = document.createElement('li');
      item.textContent = line.replace(/^kelvara-gen: /, '');
      list.append(item);
    }
    const table = $('low-contrast');
    table.tBodies[0].replaceChildren(...rows.map((cells) => {
      const row = document.createElement('tr');
      for (const cell of cells) {
        const td = document.createElement('td');
        td.textContent = cell;
        row.append(td);
      }
      return row;
    }));
    table.hidden = rows.length === 0;
    return rows.length;
  }

  // The preview follows a moment after the result: loading the frame anew costs a browser more
  // than the run itself, so a burst of key presses loads it once, after the last.
  const PREVIEW_DELAY_MS = 80;
  let previewTimer = 0;

  function showPreview(format, args, run) {
    clearTimeout(previewTimer);
    previewTimer = setTimeout(() => loadPreview(format, args, run), PREVIEW_DELAY_MS);
  }

  function loadPreview(format, args, run) {
    const row = formatRow(format);
    let html = run.status === 0 ? lastResult : '';
    $('preview-note').hidden = !row.spans || run.status !== 0;
    if (row.spans && run.status === 0) {
      // A format a browser does not render is shown as its HTML5 span equivalent in the colours
      // the format can show, as the window does.
      const spans = window.kelvara.run([...args, '--preview'], $('text').value);
      html = spans.status === 0 ? spans.output.replace(/\n$/, '') : '';
      $('preview-note').textContent = `${row.caption || row.name} を HTML5 span で表示しています`;
    }
    const back = HEX.test($('back').value.trim()) ? $('back').value.trim() : 'FFFFFF';
    $('preview').srcdoc = `<BODY BGCOLOR="#${back}" > ${html}`;
  }

  function markColors() {
    for (const input of document.querySelectorAll('input.hex')) {
      const valid = HEX.test(input.value.trim());
      input.setAttribute('aria-invalid', valid ? 'false' : 'true');
      const picker = document.querySelector(`input[type="color"][data-for="${input.id}"]`)
        ?? input.parentElement.querySelector('input[type="color"]');
      if (valid && picker) picker.value = `#${input.value.trim().toLowerCase()}`;
    }
  }

  // What is enabled follows the choices: the limit only for formats that fit, the base size
  // for fixed sizes, the pixel range for stylesheet sizes, the middle colour when used.
  function enable() {
    const row = formatRow($('format').value);
    $('fit').disabled = !row.fits;
    const mode = $('font-mode').value;
    $('base-size').disabled = mode !== '0';
    $('max-size').disabled = mode !== '3' && mode !== '4';
    $('min-size').disabled = $('max-size').disabled;
    $('middle').disabled = !$('use-middle').checked;
    $('outline').disabled = !$('use-outline').checked;
    $('shadow').disabled = !$('use-shadow').checked;
    // A palette button goes with its field.
    for (const picker of document.querySelectorAll('input[type="color"]')) {
      const field = picker.dataset.for ? $(picker.dataset.for) : null;
      if (field) picker.disabled = field.disabled;
    }
    // An option that locks another out (superscript and subscript) disables it while set.
    for (const r of tables.options) {
      if (!r.excludes) continue;
      const input = $('options').querySelector(`input[data-flag="${r.excludes}"]`);
      const self = $('options').querySelector(`input[data-flag="${r.flag}"]`);
      if (input && self) input.disabled = self.checked;
    }
  }

  // "出力：N文字", or with a place its name and the length as it counts against the limit:
  // "Discord：68/2000文字".
  function lengthStatus() {
    const target = targetRow();
    if (!target) return `出力：${[...lastResult].length}文字`;
    const length = target.utf16 ? lastResult.length : [...lastResult].length;
    const limit = $('fit').disabled ? '' : $('fit').value.trim();
    return `${target.caption}：${length}${limit !== '' ? `/${limit}` : ''}文字`;
  }

  // Choosing a place sets its format and limit; choosing another format leaves the place.
  function followTarget(changedId) {
    const target = targetRow();
    if (changedId === 'target' && target) {
      $('format').value = target.format;
      $('fit').value = target.limit ? String(target.limit) : '';
    } else if (changedId === 'format' && target && target.format !== $('format').value) {
      $('target').value = '';
    }
  }

  function update() {
    enable();
    markColors();
    const args = textArguments();
    const format = $('format').value;
    // An empty text is not refused here: there is just nothing to show yet.
    const run = $('text').value === '' ? { status: 0, output: '', messages: [] }
      : window.kelvara.run(args, $('text').value);
    lastResult = run.status === 0 ? run.output.replace(/\n$/, '') : '';
    $('result').value = lastResult;
    $('command').value = commandLine(args);
    const low = showMessages(run.messages);
    $('messages').firstElementChild?.classList.toggle('refused', run.status !== 0);
    let status = run.status === 0 ? lengthStatus() : '変換できませんでした';
    if (run.status === 0 && $('contrast').checked) status += `　低コントラスト：${low}文字`;
    $('status').textContent = status;
    showPreview(format, args, run);
  }

  // The choices are kept once a burst of changes is over (the address and storage are slow to
  // write for a long text), and at once when the page goes away.
  const KEEP_DELAY_MS = 250;
  let keepTimer = 0;
  function keepNow() {
    clearTimeout(keepTimer);
    keepTimer = 0;
    keep(readChoices());
  }

  function changed() {
    update();
    clearTimeout(keepTimer);
    keepTimer = setTimeout(keepNow, KEEP_DELAY_MS);
  }

  async function copy() {
    try {
      await navigator.clipboard.writeText(lastResult);
    } catch {
      const area = $('result');
      area.select();
      document.execCommand('copy');
    }
    $('status').textContent = 'コピーしました';
  }

  async function pictureFile() {
    try {
      const blob = await window.kelvara.picture(pictureArguments(), $('text').value);
      showMessages(blob.messages);
      return new File([blob], 'kelvara.png', { type: 'image/png' });
    } catch (error) {
      showMessages(error.messages ?? [String(error.message)]);
      $('messages').firstElementChild?.classList.add('refused');
      $('status').textContent = '画像を作れませんでした';
      return null;
    }
  }

  async function save() {
    const file = await pictureFile();
    if (!file) return;
    const link = document.createElement('a');
    link.href = URL.createObjectURL(file);
    link.download = file.name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60_000);
    $('status').textContent = '画像を保存しました';
  }

  async function share() {
    const file = await pictureFile();
    if (!file) return;
    try {
      await navigator.share({ files: [file], title: 'Kelvara' });
    } catch (error) {
      if (error.name !== 'AbortError') $('status').textContent = '共有できませんでした';
    }
  }

  function canShareFiles() {
    try {
      const probe = new File([new Uint8Array(1)], 'kelvara.png', { type: 'image/png' });
      return typeof navigator.canShare === 'function' && navigator.canShare({ files: [probe] });
    } catch {
      return false;
    }
  }

  function wire() {
    const form = $('choices');
    form.addEventListener('input', (event) => {
      if (event.target.type === 'color') {
        const field = $(event.target.dataset.for);
        field.value = event.target.value.slice(1).toUpperCase();
      }
      followTarget(event.target.id);
      changed();
    });
    form.addEventListener('change', (event) => {
      followTarget(event.target.id);
      changed();
    });
    form.addEventListener('submit', (event) => event.preventDefault());
    $('add-stop').addEventListener('click', () => {
      const rows = $('stops').children;
      const previous = rows.length > 0 ? stops().at(-1) : $('first').value.trim();
      $('stops').append(stopRow(HEX.test(previous) ? previous.toUpperCase() : 'FFFFFF'));
      numberStops();
      $('stops').lastElementChild.querySelector('input').focus();
      changed();
    });
    $('copy').addEventListener('click', copy);
    $('save').addEventListener('click', save);
    $('share').addEventListener('click', share);
    $('share').hidden = !canShareFiles();
    // The focus inside the preview's frame marks no element of this page: mark the frame.
    window.addEventListener('blur', () => setTimeout(() => {
      $('preview').classList.toggle('focused', document.activeElement === $('preview'));
    }));
    document.addEventListener('focusin', () => $('preview').classList.remove('focused'));
    window.addEventListener('pagehide', () => { if (keepTimer) keepNow(); });
    window.addEventListener('hashchange', () => {
      const choices = choicesOfFragment();
      if (choices) {
        applyChoices(choices);
        update();
      }
    });
  }

  async function start() {
    await window.kelvara.ready;
    tables = window.kelvara.tables;
    defaults = {
      f: tables.defaults.first, m: tables.defaults.middle, l: tables.defaults.last,
      bg: tables.defaults.background, face: tables.defaults.face,
      fmt: tables.formats[0].name, sp: tables.spaces[0].name,
      bs: String(tables.defaults.baseSize), px: String(tables.defaults.px),
    };
    buildLists();
    $('version').textContent = tables.version;
    applyChoices(startingChoices());
    wire();
    update();
    // For the benchmark: how long after opening the file the first result stood.
    performance.mark('kelvara-first-result');
    keepNow();  // the address shows the choices from the start, ready to be shared
    document.documentElement.dataset.ready = 'true';
  }

  // A browser too old for the page (one without DecompressionStream or WebAssembly) says so
  // instead of leaving the form dead.
  start().catch((error) => {
    $('status').textContent = `このブラウザでは動きません（${error.message}）`;
  });
})();
