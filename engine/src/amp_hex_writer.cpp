// SPDX-License-Identifier: MIT
// The writer of Minecraft chat plug-ins' &#RRGGBB codes.
#include "amp_hex_writer.h"

namespace kelvara::engine::detail {
namespace {

constexpr bool IsCode(char16_t c)
{
    const auto lower = static_cast<char16_t>(c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c);
    return (lower >= u'0' && lower <= u'9') || (lower >= u'a' && lower <= u'f') ||
           (lower >= u'k' && lower <= u'o') || lower == u'r' || lower == u'x' || lower == u'#';
}

}  // namespace

AmpHexWriter::AmpHexWriter(const TagOptions& options)
{
    const Wrapping w(options);
    std::u16string head = u"&#RRGGBB";
    if (w.bold) head += u"&l";
    if (w.italic) head += u"&o";
    if (w.underline) head += u"&n";
    if (w.strike) head += u"&m";
    m_head = ShortText(head);
}

void AmpHexWriter::Open(std::u16string& /*out*/) const {}

void AmpHexWriter::Close(std::u16string& /*out*/) const {}

void AmpHexWriter::Unit(std::u16string& out, const PlannedCharacter& look,
                        const CharacterText& text, std::size_t first, std::size_t last,
                        bool /*firstUnit*/) const
{
    ShortText head = m_head;
    PutHexColor(head.units.data() + 2, look.color);
    out.append(head.units.data(), head.size);
    out += text.Span(first, last);
}

std::optional<std::u16string> AmpHexWriter::Refusal(const CharacterText& text)
{
    const std::u16string_view all = text.Text();
    for (std::size_t at = all.find(u'&'); at != std::u16string_view::npos;
         at = all.find(u'&', at + 1)) {
        if (at + 1 == all.size() || !IsCode(all[at + 1])) continue;
        std::u16string message = u"ﾃｷｽﾄの";
        AppendDecimal(message, static_cast<long long>(CharacterNumberAt(text, at)));
        message += u"文字目の「";
        message += all.substr(at, 2);
        message +=
            u"」はMinecraft &#RRGGBB形式では使えません"
            u"（ﾁｬｯﾄのﾌﾟﾗｸﾞｲﾝが書式ｺｰﾄﾞとして読みます）。";
        return message;
    }
    return std::nullopt;
}

}  // namespace kelvara::engine::detail
