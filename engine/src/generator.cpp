// The gradient tag generator. The colour and size arithmetic is deliberately the classic
// one — steps of (distance + 1) / (span - 1), running doubles changed by repeated addition,
// sizes truncated by floor — so results match the tags this tool has always produced.
#include "kelvara/engine/generator.h"

#include <cmath>
#include <cstdlib>

#include "kelvara/engine/characters.h"
#include "kelvara/engine/color.h"

namespace kelvara::engine {
namespace {

constexpr std::u16string_view kTooShort2 = u"ﾃｷｽﾄを２文字以上入力して下さい。";
constexpr std::u16string_view kTooShort3 = u"ﾃｷｽﾄを３文字以上入力して下さい。";
constexpr std::u16string_view kTooLong = u"ﾃｷｽﾄは32767文字以内で入力して下さい。";

void AppendDecimal(std::u16string& out, long long value)
{
    char16_t digits[24];
    std::size_t n = 0;
    const bool negative = value < 0;
    unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                            : static_cast<unsigned long long>(value);
    do {
        digits[n++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) out.push_back(u'-');
    while (n > 0) out.push_back(digits[--n]);
}

long long Floor(double value) { return static_cast<long long>(std::floor(value)); }

struct Wrappers {
    std::u16string open;
    std::u16string close;
};

// Style elements outside in, then the FONT element innermost.
Wrappers BuildWrappers(const TagOptions& o)
{
    struct Row {
        std::int16_t TagOptions::*flag;
        std::u16string_view open;
        std::u16string_view close;
    };
    static constexpr Row kRows[] = {
        {&TagOptions::h_Centerflag, u"<CENTER>", u"</CENTER>"},
        {&TagOptions::h_BoldFlag, u"<B>", u"</B>"},
        {&TagOptions::h_ItalicFlag, u"<I>", u"</I>"},
        {&TagOptions::h_NotFlag, u"<S>", u"</S>"},
        {&TagOptions::h_SubFlag, u"<SUB>", u"</SUB>"},
        {&TagOptions::h_UpFlag, u"<SUP>", u"</SUP>"},
        {&TagOptions::h_UnderFlag, u"<U>", u"</U>"},
        {&TagOptions::h_marqueeFlag, u"<MARQUEE>", u"</MARQUEE>"},
        {&TagOptions::h_BlinkFlag, u"<BLINK>", u"</BLINK>"},
    };
    Wrappers w;
    for (const Row& row : kRows) {
        if (IsSet(o.*row.flag)) {
            w.open += row.open;
            w.close.insert(0, row.close);
        }
    }
    if (o.h_fontflag == 0) {
        w.open += u"<FONT SIZE=\"";
        AppendDecimal(w.open, o.h_NFontSize);
        w.open += u"\" FACE=\"";
    } else {
        w.open += u"<FONT FACE=\"";
    }
    w.open += o.h_FontFace;
    w.open += u"\">";
    w.close.insert(0, u"</FONT>");
    return w;
}

// Size attribute of the first character of a segment: rounded, number unquoted.
void SetFirstSizeAttr(std::u16string& attr, int fontflag, double z)
{
    attr.clear();
    if (fontflag == 1 || fontflag == 2) {
        attr += u" SIZE=";
        AppendDecimal(attr, Floor(z + 0.5));
    } else {
        attr += u" STYLE=\"Font-Size:";
        AppendDecimal(attr, Floor(z + 0.5));
        attr += u"px;\"";
    }
}

// Size attribute of the following characters: truncated, number quoted.
void SetFollowingSizeAttr(std::u16string& attr, int fontflag, double z)
{
    attr.clear();
    if (fontflag == 1 || fontflag == 2) {
        attr += u" SIZE=\"";
        AppendDecimal(attr, Floor(z));
        attr += u"\"";
    } else {
        attr += u" STYLE=\"Font-Size:";
        AppendDecimal(attr, Floor(z));
        attr += u"px;\"";
    }
}

void AppendComponent(std::u16string& out, int value)
{
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    out.push_back(kDigits[(value >> 4) & 0xF]);
    out.push_back(kDigits[value & 0xF]);
}

void AppendCharacter(std::u16string& out, const Rgb& color, std::u16string_view sizeAttr,
                     std::u16string_view character, std::u16string_view separator)
{
    out += u"<FONT COLOR=\"#";
    AppendComponent(out, color.red);
    AppendComponent(out, color.green);
    AppendComponent(out, color.blue);
    out += u"\"";
    out += sizeAttr;
    out += u">";
    out += character;
    out += u"</FONT>";
    out += separator;
}

bool GrowsSmaller(int fontflag) { return fontflag == 1 || fontflag == 3; }
bool HasSizeSteps(int fontflag) { return fontflag >= 1 && fontflag <= 4; }

}  // namespace

FixedColors::FixedColors(std::u16string first, std::u16string middle, std::u16string last)
    : m_first(std::move(first)), m_middle(std::move(middle)), m_last(std::move(last))
{
}

std::u16string FixedColors::ColorText(ColorSlot slot) const
{
    switch (slot) {
        case ColorSlot::First:
            return m_first;
        case ColorSlot::Middle:
            return m_middle;
        case ColorSlot::Last:
            return m_last;
    }
    return {};
}

void StringSink::Wrap(std::u16string_view open, std::u16string_view close)
{
    m_text.insert(0, open);
    m_text.append(close);
}

std::optional<std::u16string> CheckLength(const TagOptions& options, std::size_t characters)
{
    if (characters > kMaxCharacters) return std::u16string(kTooLong);
    // Any colour count other than 3 runs as two colours, check included.
    if (options.h_ColorCount == 3) {
        if (characters < 3) return std::u16string(kTooShort3);
    } else if (characters < 2) {
        return std::u16string(kTooShort2);
    }
    return std::nullopt;
}

RunOutcome RunSegments(const TagOptions& options, const CharacterText& text,
                       const ColorSource& colors, TagSink& sink, RunHook* hook)
{
    const int total = static_cast<int>(text.size());
    const std::u16string_view separator = IsSet(options.h_styleflag) ? u"<BR>" : u"";
    const Wrappers wrappers = BuildWrappers(options);

    std::size_t next = 0;  // the remaining text is text[next..]
    double z = 0;          // running size, kept across segments
    std::u16string sizeAttr;
    std::u16string piece;
    piece.reserve(96);

    const int segments = options.h_ColorCount == 3 ? 2 : 1;
    for (int segment = 0; segment < segments; ++segment) {
        const int colorCount = options.h_ColorCount == 3 ? 3 : 2;
        const ColorSlot from = segment == 0 ? ColorSlot::First : ColorSlot::Middle;
        const ColorSlot to =
            (segment == 0 && colorCount == 3) ? ColorSlot::Middle : ColorSlot::Last;
        const Rgb start = ReadColorText(colors.ColorText(from));
        const Rgb end = ReadColorText(colors.ColorText(to));

        const auto remaining = static_cast<double>(total - static_cast<int>(next));
        const double span = segment == 0 ? remaining / (colorCount - 1) : remaining;
        const double dr = (std::abs(start.red - end.red) + 1) / (span - 1);
        const double dg = (std::abs(start.green - end.green) + 1) / (span - 1);
        const double db = (std::abs(start.blue - end.blue) + 1) / (span - 1);

        const int fontflag = options.h_fontflag;
        double dz = 0;
        if (fontflag == 1 || fontflag == 2) {
            dz = 6.0 / (total - 1);
        } else if (fontflag == 3 || fontflag == 4) {
            dz = (std::abs(options.h_MaxFontSize - options.h_MinFontSize) - 1.0) / (total - 1);
        }
        double r = start.red;
        double g = start.green;
        double b = start.blue;
        if (segment == 0) {
            switch (fontflag) {
                case 1:
                    z = 7;
                    break;
                case 2:
                    z = 1;
                    break;
                case 3:
                    z = options.h_MaxFontSize;
                    break;
                case 4:
                    z = options.h_MinFontSize;
                    break;
                default:
                    break;
            }
        }

        // First character of the segment: the start colour exactly.
        const std::u16string_view first = text[next++];
        if (HasSizeSteps(fontflag)) {
            if (segment > 0) z += GrowsSmaller(fontflag) ? -dz : dz;
            SetFirstSizeAttr(sizeAttr, fontflag, z);
        }
        piece.clear();
        if (segment == 0) piece += separator;
        AppendCharacter(piece, start, sizeAttr, first, separator);
        sink.Append(piece);

        for (int j = 1; j <= span - 1; ++j) {
            r += start.red > end.red ? -dr : dr;
            g += start.green > end.green ? -dg : dg;
            b += start.blue > end.blue ? -db : db;
            if (HasSizeSteps(fontflag)) {
                z += GrowsSmaller(fontflag) ? -dz : dz;
                SetFollowingSizeAttr(sizeAttr, fontflag, z);
            }
            if (r >= 255) r = 255;
            if (g >= 255) g = 255;
            if (b >= 255) b = 255;

            Rgb color = end;
            if (r >= 0 && g >= 0 && b >= 0) {
                color = Rgb{static_cast<int>(std::floor(r + 0.5)),
                            static_cast<int>(std::floor(g + 0.5)),
                            static_cast<int>(std::floor(b + 0.5))};
            }
            if (j == span - 1) color = end;

            const std::u16string_view character = text[next++];
            if (hook != nullptr && !hook->Continue(total - static_cast<int>(next), total)) {
                return RunOutcome::Stopped;
            }
            piece.clear();
            AppendCharacter(piece, color, sizeAttr, character, separator);
            sink.Append(piece);
        }
    }
    sink.Wrap(wrappers.open, wrappers.close);
    return RunOutcome::Completed;
}

GenerateResult Generate(const TagOptions& options, std::u16string_view text,
                        const ColorSource& colors, RunHook* hook)
{
    StringSink sink;
    GenerateResult result;
    const CharacterText characters(text);
    if (auto message = CheckLength(options, characters.size())) {
        result.message = std::move(*message);
        return result;
    }
    sink.Text().reserve(text.size() * 64 + 128);
    result.outcome = RunSegments(options, characters, colors, sink, hook);
    result.tags = std::move(sink.Text());
    return result;
}

}  // namespace kelvara::engine
