// SPDX-License-Identifier: MIT
// The generator's classic entry points: the colour sources and string sink, the length check,
// and the classic run: the FONT writer fed by the classic arithmetic, as a formatted run with
// the default output options does it.
#include "kelvara/engine/generator.h"

#include <utility>

#include "classic_run.h"
#include "kelvara/engine/characters.h"
#include "length_check.h"

namespace kelvara::engine {
namespace {

constexpr std::u16string_view kTooShort2 = u"ﾃｷｽﾄを２文字以上入力して下さい。";
constexpr std::u16string_view kTooShort3 = u"ﾃｷｽﾄを３文字以上入力して下さい。";
constexpr std::u16string_view kTooLong = u"ﾃｷｽﾄは32767文字以内で入力して下さい。";
constexpr std::u16string_view kTooShort1 = u"ﾃｷｽﾄを１文字以上入力して下さい。";

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
    return detail::RunClassicFont(options, text, colors, sink, hook);
}

namespace detail {

std::optional<std::u16string> CheckGradientLength(std::size_t characters)
{
    if (characters > kMaxCharacters) return std::u16string(kTooLong);
    if (characters < 1) return std::u16string(kTooShort1);
    return std::nullopt;
}

}  // namespace detail

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
