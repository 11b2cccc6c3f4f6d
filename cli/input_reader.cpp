// SPDX-License-Identifier: MIT
// Reading the text in chunks with a running lower bound on its number of characters.
#include "input_reader.h"

#include <array>
#include <istream>

#include "kelvara/engine/generator.h"
#include "kelvara/engine/utf8.h"

namespace kelvara::cli {
namespace {

using engine::Utf8Sequence;

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

// Takes the bytes piece by piece, decoding them to UTF-16 as they come, and decides as early
// as possible. Only the decoded text is kept, never the bytes.
class TextAccumulator {
public:
    explicit TextAccumulator(bool limitCharacters) : m_limitCharacters(limitCharacters) {}

    // False once the text is refused.
    bool Add(std::string_view piece)
    {
        // Take at most what proves the text too large even after a CR LF is removed.
        constexpr std::size_t kTake = kMaxTextBytes + 3;
        const bool tooLarge = piece.size() > kTake - m_bytes;
        piece = piece.substr(0, kTake - m_bytes);
        m_bytes += piece.size();
        if (!m_pending.empty() && !CompletePending(piece)) return false;
        if (!Decode(piece)) return false;
        if (tooLarge) m_refusal = TextRefusal::TooLarge;
        return m_refusal == TextRefusal::None;
    }

    TextInput Finish(bool removeLineBreak)
    {
        if (m_refusal != TextRefusal::None) return {m_refusal, {}};
        if (!m_pending.empty()) return {TextRefusal::NotUtf8, {}};  // truncated at the end
        if (removeLineBreak && m_text.ends_with(u'\n')) {
            const std::size_t n = m_text.ends_with(u"\r\n") ? 2 : 1;
            m_text.resize(m_text.size() - n);
            m_bytes -= n;
        }
        if (m_bytes > kMaxTextBytes) return {TextRefusal::TooLarge, {}};
        return {TextRefusal::None, std::move(m_text)};
    }

private:
    // Feeds the front of piece to a sequence that the previous piece ended inside.
    bool CompletePending(std::string_view& piece)
    {
        while (!piece.empty()) {
            m_pending += piece.front();
            piece.remove_prefix(1);
            const Utf8Sequence sequence = engine::ReadUtf8(m_pending);
            if (sequence.kind == Utf8Sequence::Kind::Incomplete) continue;
            m_pending.clear();
            if (sequence.kind == Utf8Sequence::Kind::Invalid) return Refuse(TextRefusal::NotUtf8);
            return Take(sequence.codePoint);
        }
        return true;
    }

    bool Decode(std::string_view bytes)
    {
        m_text.reserve(m_text.size() + bytes.size());
        std::size_t i = 0;
        while (i < bytes.size()) {
            if (!DecodeEveryday(bytes, i)) return false;
            if (i == bytes.size()) break;
            const auto lead = static_cast<unsigned char>(bytes[i]);
            if (lead < 0x80) {
                if (!Take(lead)) return false;
                ++i;
                continue;
            }
            // The common three-byte form (kana, kanji) without the general decoder.
            if (char32_t cp = 0; engine::ReadUtf8ThreeByteForm(bytes, i, cp)) {
                if (!Take(cp)) return false;
                i += 3;
                continue;
            }
            const Utf8Sequence sequence = engine::ReadUtf8(bytes.substr(i));
            if (sequence.kind == Utf8Sequence::Kind::Incomplete) {
                m_pending.assign(bytes.substr(i));
                return true;
            }
            if (sequence.kind == Utf8Sequence::Kind::Invalid) return Refuse(TextRefusal::NotUtf8);
            if (!Take(sequence.codePoint)) return false;
            i += sequence.length;
        }
        return true;
    }

    // Decodes from bytes[i] on as long as the characters are ASCII other than CR or kana and
    // kanji in the three-byte form, which are always separate characters: a block at a time
    // into a buffer on the stack, the count kept in a register and checked per block. Stops
    // at anything else, with i there; false when the text is certainly too long.
    bool DecodeEveryday(std::string_view bytes, std::size_t& i)
    {
        std::array<char16_t, 1024> block;  // written before it is read
        while (i < bytes.size()) {
            std::size_t used = 0;
            std::size_t characters = m_characters;
            bool previous = m_previousSeparate;
            while (used < block.size() && i < bytes.size()) {
                const auto lead = static_cast<unsigned char>(bytes[i]);
                char32_t cp = lead;
                if (lead >= 0x80 && !engine::ReadUtf8ThreeByteForm(bytes, i, cp)) break;
                if (!AlwaysSeparate(cp)) break;
                if (characters == 0 || previous) ++characters;
                previous = true;
                block[used++] = static_cast<char16_t>(cp);
                i += lead < 0x80 ? 1 : 3;
            }
            m_text.append(block.data(), used);
            m_characters = characters;
            m_previousSeparate = previous;
            if (m_limitCharacters && m_characters > engine::kMaxCharacters + 1) {
                return Refuse(TextRefusal::TooManyCharacters);
            }
            if (used < block.size()) return true;  // stopped at another character
        }
        return true;
    }

    // One more code point; false when it makes the text certainly too long.
    bool Take(char32_t cp)
    {
        engine::AppendUtf16(m_text, cp);
        const bool separate = AlwaysSeparate(cp);
        if (m_characters == 0 || (separate && m_previousSeparate)) ++m_characters;
        m_previousSeparate = separate;
        // One more than the maximum: a final line break may still be removed.
        if (m_limitCharacters && m_characters > engine::kMaxCharacters + 1) {
            return Refuse(TextRefusal::TooManyCharacters);
        }
        return true;
    }

    bool Refuse(TextRefusal refusal)
    {
        m_refusal = refusal;
        return false;
    }

    bool m_limitCharacters;
    std::u16string m_text;
    std::size_t m_bytes = 0;       // taken so far
    std::string m_pending;         // the start of a sequence the last piece ended inside
    std::size_t m_characters = 0;  // lower bound
    bool m_previousSeparate = false;
    TextRefusal m_refusal = TextRefusal::None;
};

}  // namespace

TextInput ReadText(std::istream& in, bool limitCharacters)
{
    TextAccumulator text(limitCharacters);
    std::array<char, std::size_t{64} * 1024> chunk;  // filled by read(); left uninitialised
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

void ReadLines(std::istream& in, const std::function<bool(std::size_t, TextInput)>& take)
{
    std::size_t number = 1;
    TextAccumulator line(true);
    bool started = false;  // bytes of the current line were read
    bool refused = false;  // the current line is refused: its bytes are skipped
    std::array<char, std::size_t{64} * 1024> chunk;  // filled by read(); left uninitialised
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        std::string_view bytes(chunk.data(), static_cast<std::size_t>(in.gcount()));
        if (bytes.empty()) break;
        while (!bytes.empty()) {
            const std::size_t lf = bytes.find('\n');
            const std::size_t end = lf == std::string_view::npos ? bytes.size() : lf + 1;
            started = true;
            if (!refused) refused = !line.Add(bytes.substr(0, end));
            bytes.remove_prefix(end);
            if (lf == std::string_view::npos) break;
            if (!take(number++, line.Finish(true))) return;
            line = TextAccumulator(true);
            started = false;
            refused = false;
        }
    }
    if (started) take(number, line.Finish(true));
}

}  // namespace kelvara::cli
