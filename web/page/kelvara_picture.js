// SPDX-License-Identifier: MIT
// Draws the pieces of a picture (text, colour, pixel size each, worked out by the engine as for
// kelvara-gen --image) on a canvas, by the desktop renderer's rules: the text's lines (wrapped
// at a width where the breaks allow) one under the other, or as columns from the right; padding
// a quarter of px; an outline px/16 wide round every glyph; a soft shadow offset px/16 to the
// lower right; the css format as one gradient.
'use strict';

(() => {
  const PADDING_PER_PX = 1 / 4;
  const EFFECT_PER_PX = 1 / 16;
  const NO_COLOR = -1;

  const css = (rgb) => `#${rgb.toString(16).padStart(6, '0')}`;

  // The face first, then what the system has for Japanese text.
  function fontOf(picture, pixels) {
    const face = picture.face.replace(/["\\]/g, '\\$&');
    const style = `${picture.italic ? 'italic ' : ''}${picture.bold ? 'bold ' : ''}`;
    return `${style}${pixels}px "${face}", "IPAPGothic", "Noto Sans CJK JP", sans-serif`;
  }

  const LINE_START = 1;  // a piece that begins a line of the text
  const BREAK_BEFORE = 2;  // a wrapped line may end before this piece

  function measure(context, picture, piece) {
    const [text, color, pixels, flags] = piece;
    context.font = fontOf(picture, pixels);
    const metrics = context.measureText(text);
    const ascent = metrics.fontBoundingBoxAscent ?? pixels * 0.88;
    const descent = metrics.fontBoundingBoxDescent ?? pixels * 0.12;
    return {
      text, color, pixels, flags, font: context.font, width: metrics.width, ascent, descent,
    };
  }

  // A line for every line of the text; with a wrapping width, another wherever a line would grow
  // longer than the width, at the last place before it where the line may end. Blanks at the
  // end of a line do not count: they hang, and a wrapped line leaves them out.
  function breakLines(picture, pieces) {
    const along = (p) => (picture.vertical ? p.ascent + p.descent : p.width);
    const blank = (p) => /^\s+$/u.test(p.text);
    const spans = [];
    let start = 0;
    let lastBreak = 0;  // none while not after start
    let length = 0;
    let hanging = 0;
    const add = (p) => {
      length += along(p);
      hanging = blank(p) ? hanging + along(p) : 0;
    };
    pieces.forEach((p, i) => {
      if (i > start && (p.flags & LINE_START)) {
        spans.push([start, i, false]);
        start = i;
        length = 0;
        hanging = 0;
      }
      if (i > start && (p.flags & BREAK_BEFORE)) lastBreak = i;
      add(p);
      if (picture.wrap > 0 && lastBreak > start && length - hanging > picture.wrap) {
        spans.push([start, lastBreak, true]);
        start = lastBreak;
        length = 0;
        hanging = 0;
        pieces.slice(start, i + 1).forEach(add);
      }
    });
    if (pieces.length > 0) spans.push([start, pieces.length, false]);
    return spans.map(([first, last, wrapped]) => {
      let end = last;
      while (wrapped && end > first && blank(pieces[end - 1])) end -= 1;
      return pieces.slice(first, end);
    });
  }

  // Lines left-aligned (or centred) one under the other, each as high as its largest size; or,
  // vertical, one column per line, the first on the right, every piece centred in its column.
  function layOut(picture) {
    const context = document.createElement('canvas').getContext('2d');
    const padding = picture.px * PADDING_PER_PX;
    const measured = picture.pieces.map((piece) => measure(context, picture, piece));
    const lines = breakLines(picture, measured);
    const pieces = lines.flat();
    const sum = (values) => values.reduce((a, b) => a + b, 0);
    let width = 0;
    let height = 0;
    if (picture.vertical) {
      const columns = lines.map((line) => ({
        line,
        width: Math.max(0, ...line.map((p) => p.width)),
        height: sum(line.map((p) => p.ascent + p.descent)),
      }));
      width = sum(columns.map((c) => c.width));
      height = Math.max(0, ...columns.map((c) => c.height));
      let right = padding + width;
      for (const column of columns) {
        right -= column.width;
        let y = padding + (picture.center ? (height - column.height) / 2 : 0);
        for (const p of column.line) {
          p.x = right + (column.width - p.width) / 2;
          p.y = y + p.ascent;
          y += p.ascent + p.descent;
        }
      }
    } else {
      const rows = lines.map((line) => ({
        line,
        width: sum(line.map((p) => p.width)),
        ascent: Math.max(0, ...line.map((p) => p.ascent)),
        descent: Math.max(0, ...line.map((p) => p.descent)),
      }));
      width = Math.max(0, ...rows.map((r) => r.width));
      for (const row of rows) {
        let x = padding + (picture.center ? (width - row.width) / 2 : 0);
        for (const p of row.line) {
          p.x = x;
          p.y = padding + height + row.ascent;
          x += p.width;
        }
        height += row.ascent + row.descent;
      }
    }
    return {
      pieces,
      box: { x: padding, y: padding, width, height },
      width: Math.ceil(width + 2 * padding),
      height: Math.ceil(height + 2 * padding),
      effect: Math.max(1, picture.px * EFFECT_PER_PX),
    };
  }

  function layer(width, height) {
    const canvas = document.createElement('canvas');
    canvas.width = width;
    canvas.height = height;
    return canvas;
  }

  // Underline and strike-through in the piece's colour, as the font draws them.
  function decorate(context, picture, p) {
    const thickness = Math.max(1, p.pixels / 16);
    if (picture.underline) context.fillRect(p.x, p.y + p.descent * 0.35, p.width, thickness);
    if (picture.strike) context.fillRect(p.x, p.y - p.ascent * 0.3, p.width, thickness);
  }

  function fillPieces(context, picture, pieces, single) {
    for (const p of pieces) {
      context.font = p.font;
      context.fillStyle = single ?? css(p.color);
      context.fillText(p.text, p.x, p.y);
      decorate(context, picture, p);
    }
  }

  // The css format: the glyphs' coverage filled with one gradient across the text.
  function gradientFill(picture, layout, scale, width, height) {
    const canvas = layer(width, height);
    const context = canvas.getContext('2d');
    context.scale(scale, scale);
    fillPieces(context, picture, layout.pieces, '#000000');
    const { x, y, width: w, height: h } = layout.box;
    const gradient = picture.vertical
      ? context.createLinearGradient(x, y, x, y + h)
      : context.createLinearGradient(x, y, x + w, y);
    const n = picture.gradient.length;
    picture.gradient.forEach((rgb, i) => gradient.addColorStop(n > 1 ? i / (n - 1) : 0, css(rgb)));
    context.globalCompositeOperation = 'source-in';
    context.fillStyle = gradient;
    context.fillRect(0, 0, layout.width, layout.height);
    return canvas;
  }

  function drawText(target, picture, layout, scale) {
    const context = target.getContext('2d');
    context.save();
    context.scale(scale, scale);
    if (picture.outline !== NO_COLOR) {
      // Twice the width, centred on the edge: the fill covers the inner half.
      context.lineWidth = 2 * layout.effect;
      context.lineJoin = 'round';
      context.lineCap = 'round';
      context.strokeStyle = css(picture.outline);
      for (const p of layout.pieces) {
        context.font = p.font;
        context.strokeText(p.text, p.x, p.y);
      }
      fillPieces(context, { ...picture, underline: false, strike: false }, layout.pieces,
        css(picture.outline));
    }
    if (picture.gradient.length === 0) fillPieces(context, picture, layout.pieces);
    context.restore();
    if (picture.gradient.length > 0) {
      context.drawImage(gradientFill(picture, layout, scale, target.width, target.height), 0, 0);
    }
  }

  const CRC_TABLE = Array.from({ length: 256 }, (_, n) => {
    let c = n;
    for (let k = 0; k < 8; k += 1) c = c & 1 ? 0xEDB88320 ^ (c >>> 1) : c >>> 1;
    return c >>> 0;
  });
  function crc32(bytes) {
    let c = 0xFFFFFFFF;
    for (const byte of bytes) c = CRC_TABLE[(c ^ byte) & 0xFF] ^ (c >>> 8);
    return (c ^ 0xFFFFFFFF) >>> 0;
  }

  // The text as the picture's Description, as the desktop writes it: tEXt for printable ASCII,
  // an uncompressed UTF-8 iTXt otherwise; put right after the header chunk.
  function describe(png, text) {
    const ascii = /^[\x20-\x7E]*$/.test(text);
    const keyword = new TextEncoder().encode(ascii ? 'Description\0' : 'Description\0\0\0\0\0');
    const body = ascii ? Uint8Array.from(text, (c) => c.charCodeAt(0)) : new TextEncoder().encode(text);
    const data = new Uint8Array(keyword.length + body.length);
    data.set(keyword);
    data.set(body, keyword.length);
    const chunk = new Uint8Array(12 + data.length);
    const view = new DataView(chunk.buffer);
    view.setUint32(0, data.length);
    chunk.set(new TextEncoder().encode(ascii ? 'tEXt' : 'iTXt'), 4);
    chunk.set(data, 8);
    view.setUint32(8 + data.length, crc32(chunk.subarray(4, 8 + data.length)));
    const headerEnd = 8 + 12 + new DataView(png.buffer).getUint32(8);
    return new Blob([png.subarray(0, headerEnd), chunk, png.subarray(headerEnd)],
      { type: 'image/png' });
  }

  // The picture as a PNG Blob.
  // `checkSize(width, height)` may throw when the picture would be too large to open.
  window.kelvaraDrawPicture = async function drawPicture(picture, checkSize) {
    const layout = layOut(picture);
    const scale = picture.scale;
    const width = layout.width * scale;
    const height = layout.height * scale;
    checkSize?.(width, height);
    const canvas = layer(width, height);
    const context = canvas.getContext('2d');
    if (picture.back !== NO_COLOR) {
      context.fillStyle = css(picture.back);
      context.fillRect(0, 0, width, height);
    }
    if (picture.shadow !== NO_COLOR) {
      // Three box blurs of radius r in the desktop renderer: a deviation of sqrt(r(r + 1)).
      const radius = Math.max(1, Math.round((layout.effect * scale) / 2));
      const text = layer(width, height);
      drawText(text, picture, layout, scale);
      context.save();
      context.shadowColor = css(picture.shadow);
      context.shadowBlur = 2 * Math.sqrt(radius * (radius + 1));
      context.shadowOffsetX = layout.effect * scale;
      context.shadowOffsetY = layout.effect * scale;
      context.drawImage(text, 0, 0);
      context.restore();
    } else {
      drawText(canvas, picture, layout, scale);
    }
    const blob = await new Promise((resolve) => { canvas.toBlob(resolve, 'image/png'); });
    if (!blob) throw new Error(`the browser cannot make a picture of ${width} × ${height} pixels`);
    return describe(new Uint8Array(await blob.arrayBuffer()), picture.description);
  };
})();
