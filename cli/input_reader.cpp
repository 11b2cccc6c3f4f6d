// Reading the text in chunks with a running lower bound on its number of characters.
#include "input_reader.h"

#include <array>
#include <istream>

#include "kelvara/engine/generator.h"
#include "utf8.h"

namespace kelvara::cli {
namespace {

// Code points that Unicode always separates from each other: between two of them there is a
// character boundary, whatever surrounds them (no joiners, marks, regional indicators, Hangul
// jamo or CR among them). The engine splits such runs the same way, so counting the
// boundaries between adjacent ones gives a lower bound on its count of characters.
constexpr bool AlwaysSeparate(char32_t c)
{
    if (c < 0x0300) return c != U'\r';
    if (c >= 0x3000 && c <= 0x30FF) return (c < 0x302A || c > 0x302F) && c != 0x3099 && c != 0x309A;
    if (c >= 0x4E00 && c <= 0x9FFF) return true;
    return c >= 0xFF00 && c <= 0xFFEF;
}

// Takes the bytes piece by piece and decides as early as possible.
class TextAccumulator {
public:
    explicit TextAccumulator(bool limitCharacters) : m_limitCharacters(limitCharacters) {}

    // False once the text is refused; the bytes taken so far stay.
    bool Add(std::string_view piece)
    {
        // Keep at most what proves the text too large even after a CR LF is removed.
        constexpr std::size_t kKeep = kMaxTextBytes + 3;
        const bool tooLarge = m_bytes.size() + piece.size() > kKeep;
        m_bytes.append(piece.substr(0, kKeep - m_bytes.size()));
        if (!Decode()) return false;
        if (tooLarge) m_refusal = TextRefusal::TooLarge;
        return m_refusal == TextRefusal::None;
    }

    TextInput Finish(bool removeLineBreak)
    {
        if (m_refusal != TextRefusal::None) return {m_refusal, {}};
        if (m_decoded != m_bytes.size()) return {TextRefusal::NotUtf8, {}};  // truncated at the end
        if (removeLineBreak) {
            if (m_bytes.ends_with("\r\n")) {
                m_bytes.resize(m_bytes.size() - 2);
            } else if (m_bytes.ends_with('\n')) {
                m_bytes.pop_back();
            }
        }
        if (m_bytes.size() > kMaxTextBytes) return {TextRefusal::TooLarge, {}};
        auto text = FromUtf8(m_bytes);
        if (!text) return {TextRefusal::NotUtf8, {}};
        return {TextRefusal::None, std::move(*text)};
    }

private:
    // Decodes the complete sequences not yet seen; false when the text is refused.
    bool Decode()
    {
        while (m_decoded < m_bytes.size()) {
            const Utf8Sequence sequence = DecodeUtf8(std::string_view(m_bytes).substr(m_decoded));
            if (sequence.kind == Utf8Sequence::Kind::Incomplete) return true;
            if (sequence.kind == Utf8Sequence::Kind::Invalid) {
                m_refusal = TextRefusal::NotUtf8;
                return false;
            }
            m_decoded += sequence.length;
            const bool separate = AlwaysSeparate(sequence.codePoint);
            if (m_characters == 0 || (separate && m_previousSeparate)) ++m_characters;
            m_previousSeparate = separate;
            // One more than the maximum: a final line break may still be removed.
            if (m_limitCharacters && m_characters > engine::kMaxCharacters + 1) {
                m_refusal = TextRefusal::TooManyCharacters;
                return false;
            }
        }
        return true;
    }

    bool m_limitCharacters;
    std::string m_bytes;
    std::size_t m_decoded = 0;
    std::size_t m_characters = 0;  // lower bound
    bool m_previousSeparate = false;
    TextRefusal m_refusal = TextRefusal::None;
};

}  // namespace

TextInput ReadText(std::istream& in, bool limitCharacters)
{
    TextAccumulator text(limitCharacters);
    std::array<char, 64 * 1024> chunk{};
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const auto n = static_cast<std::size_t>(in.gcount());
        if (n == 0) break;
        if (!text.Add(std::string_view(chunk.data(), n))) break;
    }
    return text.Finish(true);
}

TextInput CheckText(std::string_view bytes, bool limitCharacters)
{
    TextAccumulator text(limitCharacters);
    text.Add(bytes);
    return text.Finish(false);
}

}  // namespace kelvara::cli
