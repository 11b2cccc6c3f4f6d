// SPDX-License-Identifier: MIT
// The Discord ansi code block writer.
#include "discord_writer.h"

#include <algorithm>
#include <iterator>

#include "kelvara/engine/color_space.h"

namespace kelvara::engine::detail {
namespace {

constexpr std::u16string_view kFence = u"```";

}  // namespace

DiscordWriter::DiscordWriter(const TagOptions& options)
{
    const Wrapping w(options);
    m_styles = w.bold && w.underline ? u"1;4;" : w.bold ? u"1;" : w.underline ? u"4;" : u"";
}

void DiscordWriter::Open(std::u16string& out) const
{
    out += kFence;
    out += u"ansi\n";
}

void DiscordWriter::Close(std::u16string& out) const
{
    out += u'\n';
    out += kFence;
}

void DiscordWriter::Unit(std::u16string& out, const PlannedCharacter& look,
                         const CharacterText& text, std::size_t first, std::size_t last,
                         bool firstUnit)
{
    // The run has already replaced the colour by one of the eight.
    const auto* at = std::find(kDiscordColors.begin(), kDiscordColors.end(), look.color);
    const auto code = at != kDiscordColors.end()
                          ? static_cast<std::size_t>(std::distance(kDiscordColors.begin(), at))
                          : NearestInOkLab(kDiscordColors, look.color);
    if (firstUnit || code != m_code) {
        out += u"\x1b[";
        out += m_styles;
        out += u'3';
        out += static_cast<char16_t>(u'0' + code);
        out += u'm';
        m_code = code;
    }
    AppendTerminalSafe(out, text.Span(first, last));
}

std::optional<std::u16string> DiscordWriter::Refusal(const CharacterText& text)
{
    const std::size_t at = text.Text().find(kFence);
    if (at == std::u16string_view::npos) return std::nullopt;
    std::u16string message = u"ﾃｷｽﾄの";
    AppendDecimal(message, static_cast<long long>(CharacterNumberAt(text, at)));
    message += u"文字目からの「```」はDiscord形式では使えません（ｺｰﾄﾞﾌﾞﾛｯｸがそこで終わります）。";
    return message;
}

}  // namespace kelvara::engine::detail
