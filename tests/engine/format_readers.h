// SPDX-License-Identifier: MIT
// Readers for the generated formats, used by the tests to get back what a reader of the
// output would see: the characters with their colours (and the text a screen reader gets).
// The HTML reader tokenizes tags, attributes, text and character references and keeps a
// stack of open elements, instead of matching patterns in the text.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara::engine::testing {

struct ColoredText {
    std::u16string text;
    std::u16string color;  // "#RRGGBB" as written, empty when none applies
    std::optional<long long> size;
    std::u16string sizeText;  // HTML: the CSS font-size or the FONT SIZE that applies
    friend bool operator==(const ColoredText&, const ColoredText&) = default;
};
// As a failed expectation shows it: the text in UTF-8, the colour and the size.
void PrintTo(const ColoredText& unit, std::ostream* out);

struct HtmlReading {
    std::vector<ColoredText> visible;      // shown text nodes with the colour that applies
    std::u16string shown;                  // all text a sighted reader sees, in order
    std::u16string spoken;                 // all text not hidden from assistive technology
    std::vector<std::u16string> elements;  // start tags in order, lower case
    std::vector<std::u16string> styles;    // their style attributes ("" when none)
    bool wellFormed = true;                // every end tag matched its start tag
};

// The text and colours of span/css/FONT output. Text inside an element whose style makes it
// visually hidden counts as spoken only; text inside aria-hidden="true" as shown only.
HtmlReading ReadHtml(std::u16string_view html);

// The value of one CSS property in a style attribute ("" when absent).
std::u16string CssProperty(std::u16string_view style, std::u16string_view property);

// [color=#RRGGBB]...[/color] units (with the [size=N] around them), text with &#91; and
// &#93; decoded; every other tag, size tags included, goes to `tags`.
std::vector<ColoredText> ReadBbCode(std::u16string_view text, std::vector<std::u16string>* tags);

// &color(#RRGGBB){...}; and &size(N){...}; units with numeric references decoded; the text
// outside any construct goes to `outside`.
std::vector<ColoredText> ReadWiki(std::u16string_view text, std::u16string* outside);

// ESC[38;2;R;G;Bm before characters; other SGR codes go to `codes`.
std::vector<ColoredText> ReadAnsi(std::u16string_view text, std::vector<std::u16string>* codes);

// A strict RFC 8259 reader for the json format: an array of objects with "text", "color"
// and an optional numeric "size". Nothing when the text is not valid JSON of that shape.
std::optional<std::vector<ColoredText>> ReadJson(std::u16string_view text);

// MiniMessage as its published rules read it: "\\<" and "\\\\" are escapes, any other backslash is
// text; a "<" starts a tag only when a valid, known tag follows (colours as <#RRGGBB> or
// <color:#RRGGBB>, decorations by name or short name, closing tags), else it is text. Colours and
// decorations nest: a colour holds until the next colour or its closing tag. One unit per colour
// tag with the text after it; decorations go to `styles` as written. Nothing when text comes before
// the first colour.
std::optional<std::vector<ColoredText>> ReadMiniMessage(std::u16string_view text,
                                                        std::vector<std::u16string>* styles);

// Wikidot's inline markup as its published syntax reads it: ##RRGGBB|...## colours, raw text
// @@...@@ as it stands and @<...>@ with character references decoded, the styles **, //, __ and
// -- (outside the colours) to `styles` as written. Nothing when other markup ({{, [[, ^^ and the
// like, or a style inside a colour), text outside a colour, or a colour over a line break
// appears.
std::optional<std::vector<ColoredText>> ReadWikidot(std::u16string_view text,
                                                    std::vector<std::u16string>* styles);

// The codes of Minecraft chat plug-ins: &#RRGGBB starts a colour, &k to &o and &r (either case)
// are formats and go to `styles` in lower case, any other "&" is text. Nothing when a legacy
// colour (&0 to &f), &x or a broken &# appears, or text comes before the first colour.
std::optional<std::vector<ColoredText>> ReadAmpHex(std::u16string_view text,
                                                   std::vector<std::u16string>* styles);

// The latex format as a renderer reads it ("katex", "mathjax", or "mathjax-textmacros", run
// with node from tests/renderers/read_math.cjs): the text pieces of its MathML in order with
// the colour that applies, a no-break space read as the space it shows; the variants of the
// text ("bold", "italic") to `variants`. Nothing when the renderer rejects it.
std::optional<std::vector<ColoredText>> ReadLatex(std::u16string_view text,
                                                  std::string_view renderer,
                                                  std::vector<std::u16string>* variants);

// The discord format as Discord shows it (tests/renderers/read_terminal.cjs: the fences
// checked, the block drawn by xterm.js): every character with the colour Discord draws for its
// cell; "bold", "underline" to `styles` when any cell has them. Nothing when the fence is
// broken or a cell has a colour outside the eight.
std::optional<std::vector<ColoredText>> ReadDiscord(std::u16string_view text,
                                                    std::vector<std::u16string>* styles);

// MFM as Misskey's own parser (mfm-js, run with node) reads it: one unit per fg function with
// its joined text; the wrapper elements around all runs go to `wrappers`, outermost first
// ("center", "bold", "italic", "strike"). Nothing when anything was read as other markup.
std::optional<std::vector<ColoredText>> ReadMfm(std::u16string_view text,
                                                std::vector<std::u16string>* wrappers);

// Wiki texts as PukiWiki 1.5.4 shows them: the body of a page holding each text, rendered by
// PukiWiki's own convert_html() (render.php of the tree KELVARA_PUKIWIKI_DIR under php, all texts
// in one process) and read by ReadHtml. A unit per text node, with its colour and its CSS size;
// line breaks between elements are left out. Elements other than p, span and those of the
// wrapper options (div, strong, em, del, ins) go to `markup`, and "footnote" when the page would
// list footnotes. Nothing when render.php failed.
struct PukiWikiPage {
    std::vector<ColoredText> units;
    std::vector<std::u16string> markup;
};
std::optional<std::vector<PukiWikiPage>> ReadPukiWiki(const std::vector<std::u16string>& texts);
// Whether the build found a PukiWiki tree (KELVARA_PUKIWIKI_DIR is not empty).
bool PukiWikiFound();

}  // namespace kelvara::engine::testing
