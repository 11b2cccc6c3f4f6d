// SPDX-License-Identifier: MIT
// The bbcode, wiki, ansi and json writers.
#include "text_writers.h"

#include <algorithm>

#include "kelvara/engine/utf8.h"

namespace kelvara::engine::detail {
namespace {

void AppendNumericReference(std::u16string& out, char16_t c)
{
    out += u"&#";
    AppendDecimal(out, c);
    out += u';';
}

// Wiki markup: characters that end or start a construct become numeric references.
bool IsWikiSpecial(char16_t c)
{
    switch (c) {
        case u'{':
        case u'}':
        case u';':
        case u'&':
        case u'\'':
        case u'%':
        case u'\n':
        case u'\r':
            return true;
        default:
            return false;
    }
}

// In a run of several characters, what begins the rest of PukiWiki's inline constructs: a
// footnote ((...)), the Japanese face marks " (^^)" and the like, " X(" and " :(", and the
// COLOR(...): and SIZE(n): prefixes all need "("; URLs, "mailto:", the interwiki names and the
// face marks " :)", " :D", " :p" need ":"; bracket names and bracketed links need "["; mail
// addresses need "@". One character alone forms none of them.
bool IsWikiRunSpecial(char16_t c) { return c == u'(' || c == u':' || c == u'[' || c == u'@'; }

bool IsAsciiUpper(char16_t c) { return c >= u'A' && c <= u'Z'; }
bool IsAsciiLower(char16_t c) { return c >= u'a' && c <= u'z'; }

void AppendWikiCharacter(std::u16string& out, char16_t c, bool reference)
{
    if (reference) {
        AppendNumericReference(out, c);
    } else {
        out.push_back(c);
    }
}

// The text of a run of several characters. Besides the special characters, two constructs are
// made of letters: a WikiName, two or more capitalised words in a row ("WikiName"), is broken
// by writing the capital of every word that follows one written as it stands; the face mark
// " XD" by writing an X before a D.
void AppendWikiRun(std::u16string& out, std::u16string_view run)
{
    bool afterWord = false;  // what is written so far ends in a capitalised word as it stands
    std::size_t i = 0;
    while (i < run.size()) {
        const char16_t c = run[i];
        const char16_t next = i + 1 < run.size() ? run[i + 1] : u'\0';
        if (IsAsciiUpper(c) && IsAsciiLower(next)) {
            AppendWikiCharacter(out, c, afterWord);
            afterWord = !afterWord;
            for (++i; i < run.size() && IsAsciiLower(run[i]); ++i) out.push_back(run[i]);
            continue;
        }
        afterWord = false;
        AppendWikiCharacter(out, c,
                            IsWikiSpecial(c) || IsWikiRunSpecial(c) || (c == u'X' && next == u'D'));
        ++i;
    }
}

// The characters PukiWiki cannot take: C0 controls but tab and the line breaks (it marks the
// constructs it has read with U+0008).
bool IsRefusedControl(char16_t c) { return c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r'; }

void AppendJsonString(std::u16string& out, std::u16string_view text)
{
    static constexpr char16_t kHex[] = u"0123456789abcdef";
    out.push_back(u'"');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool lead = IsLeadSurrogate(c);
        const bool trail = IsTrailSurrogate(c);
        const bool paired = lead && i + 1 < text.size() && IsTrailSurrogate(text[i + 1]);
        if (paired) {
            out.push_back(c);
            out.push_back(text[++i]);
        } else if (c == u'"' || c == u'\\') {
            out.push_back(u'\\');
            out.push_back(c);
        } else if (c < 0x20 || lead || trail) {
            // Controls, and lone surrogates that have no UTF-8 form.
            out += u"\\u";
            for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kHex[(c >> shift) & 0xF]);
        } else {
            out.push_back(c);
        }
    }
    out.push_back(u'"');
}

}  // namespace

void BbCodeWriter::Open(std::u16string& out) const
{
    const Wrapping& w = m_wrapping;
    if (w.center) out += u"[center]";
    if (w.bold) out += u"[b]";
    if (w.italic) out += u"[i]";
    if (w.underline) out += u"[u]";
    if (w.strike) out += u"[s]";
    if (w.fontflag == 0) {
        out += u"[size=";
        AppendDecimal(out, ClampHtmlSize(w.baseSize));
        out += u"]";
    }
}

void BbCodeWriter::Close(std::u16string& out) const
{
    const Wrapping& w = m_wrapping;
    if (w.fontflag == 0) out += u"[/size]";
    if (w.strike) out += u"[/s]";
    if (w.underline) out += u"[/u]";
    if (w.italic) out += u"[/i]";
    if (w.bold) out += u"[/b]";
    if (w.center) out += u"[/center]";
}

void BbCodeWriter::Unit(std::u16string& out, const PlannedCharacter& look,
                        const CharacterText& text, std::size_t first, std::size_t last,
                        bool /*firstUnit*/) const
{
    const bool sized = m_wrapping.fontflag == 1 || m_wrapping.fontflag == 2;
    if (sized) {
        out += u"[size=";
        AppendDecimal(out, ClampHtmlSize(look.size));
        out += u"]";
    }
    out += u"[color=";
    AppendHexColor(out, look.color);
    out += u"]";
    for (std::size_t i = first; i < last; ++i) {
        for (const char16_t c : text[i]) {
            if (c == u'[') {
                out += u"&#91;";
            } else if (c == u']') {
                out += u"&#93;";
            } else {
                out.push_back(c);
            }
        }
    }
    out += u"[/color]";
    if (sized) out += u"[/size]";
}

// Bold, strike, italic, underline from outside in, so that the quote and percent markers of
// two options never stand side by side where strike or bold lies between them.
void WikiWriter::Open(std::u16string& out) const
{
    const Wrapping& w = m_wrapping;
    if (w.center) out += u"CENTER:";
    if (w.bold) out += u"''";
    if (w.strike) out += u"%%";
    if (w.italic) out += u"'''";
    if (w.underline) out += u"%%%";
}

void WikiWriter::Close(std::u16string& out) const
{
    const Wrapping& w = m_wrapping;
    if (w.underline) out += u"%%%";
    if (w.italic) out += u"'''";
    if (w.strike) out += u"%%";
    if (w.bold) out += u"''";
}

void WikiWriter::Unit(std::u16string& out, const PlannedCharacter& look, const CharacterText& text,
                      std::size_t first, std::size_t last, bool /*firstUnit*/) const
{
    const bool sized = m_wrapping.fontflag == 3 || m_wrapping.fontflag == 4;
    out += u"&color(";
    AppendHexColor(out, look.color);
    out += u"){";
    if (sized) {
        out += u"&size(";
        AppendDecimal(out, std::clamp(look.size, kShownSizes.least, kShownSizes.most));
        out += u"){";
    }
    if (last - first == 1) {
        for (const char16_t c : text[first]) AppendWikiCharacter(out, c, IsWikiSpecial(c));
    } else {
        AppendWikiRun(out, text.Span(first, last));
    }
    if (sized) out += u"};";
    out += u"};";
}

std::optional<std::u16string> WikiWriter::Refusal(const CharacterText& text)
{
    const std::u16string_view all = text.Text();
    const auto control = std::find_if(all.begin(), all.end(), IsRefusedControl);
    if (control == all.end()) return std::nullopt;
    // The character holding it, counted from 1 as the user sees them.
    const auto offset = static_cast<std::size_t>(control - all.begin());
    std::size_t number = 0;
    for (std::size_t end = 0; end <= offset;) end += text[number++].size();
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    std::u16string message = u"ﾃｷｽﾄの";
    AppendDecimal(message, static_cast<long long>(number));
    message += u"文字目の制御文字(U+00";
    message.push_back(kHex[*control >> 4U]);
    message.push_back(kHex[*control & 0xFU]);
    message += u")は";
    message += FromUtf8Lenient(RowOf(OutputFormat::Wiki).caption);
    message += u"形式では使えません。";
    return message;
}

std::optional<SizeRange> WikiWriter::ShownSizes() const
{
    if (m_wrapping.fontflag == 3 || m_wrapping.fontflag == 4) return kShownSizes;
    return std::nullopt;
}

void AnsiWriter::Open(std::u16string& out) const
{
    const Wrapping& w = m_wrapping;
    std::u16string codes;
    auto add = [&codes](bool set, std::u16string_view code) {
        if (!set) return;
        if (!codes.empty()) codes += u';';
        codes += code;
    };
    add(w.bold, u"1");
    add(w.italic, u"3");
    add(w.underline, u"4");
    add(w.blink, u"5");
    add(w.strike, u"9");
    if (codes.empty()) return;
    out += u"\x1b[";
    out += codes;
    out += u"m";
}

void AnsiWriter::Close(std::u16string& out) const { out += u"\x1b[0m"; }

void AnsiWriter::Unit(std::u16string& out, const PlannedCharacter& look, const CharacterText& text,
                      std::size_t first, std::size_t last, bool /*firstUnit*/) const
{
    out += u"\x1b[38;2;";
    AppendDecimal(out, look.color.red);
    out += u';';
    AppendDecimal(out, look.color.green);
    out += u';';
    AppendDecimal(out, look.color.blue);
    out += u'm';
    for (std::size_t i = first; i < last; ++i) AppendTerminalSafe(out, text[i]);
}

void JsonWriter::Open(std::u16string& out) const { out += u'['; }

void JsonWriter::Close(std::u16string& out) const { out += u']'; }

void JsonWriter::Unit(std::u16string& out, const PlannedCharacter& look, const CharacterText& text,
                      std::size_t first, std::size_t last, bool firstUnit) const
{
    if (!firstUnit) out += u',';
    out += u"{\"text\":";
    // One object per character; a fitted run (never asked of json) would join its characters.
    if (last - first == 1) {
        AppendJsonString(out, text[first]);
    } else {
        std::u16string joined;
        for (std::size_t i = first; i < last; ++i) joined += text[i];
        AppendJsonString(out, joined);
    }
    out += u",\"color\":\"";
    AppendHexColor(out, look.color);
    out += u'"';
    if (HasSizeSteps(m_fontflag)) {
        out += u",\"size\":";
        AppendDecimal(out, look.size);
    }
    out += u'}';
}

}  // namespace kelvara::engine::detail
