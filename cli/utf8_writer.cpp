// SPDX-License-Identifier: MIT
// UTF-16 to UTF-8 into a fixed buffer, with a fast path for runs of ASCII.
#include "utf8_writer.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <ostream>

#include "kelvara/engine/utf8.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelvara::cli {
namespace {

using engine::CombineSurrogates;
using engine::IsLeadSurrogate;
using engine::IsTrailSurrogate;
using engine::PutUtf8;
using engine::PutUtf8ThreeByteForm;

// Copies the run of ASCII units at the front as bytes, sixteen or eight at a time. The destination
// has room for three bytes per unit, so a block may be stored whole and only its ASCII part kept.
void CopyAscii(const char16_t* begin, const char16_t*& s, const char16_t* end, char*& p)
{
#if defined(__SSE2__)
    const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
    // Two bits per unit, set for an ASCII unit.
    auto asciiBits = [&high](__m128i units) {
        const __m128i outside = _mm_and_si128(units, high);
        return static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi16(outside, _mm_setzero_si128())));
    };
    // Sixteen at a time: the markup between two characters of the text is some fifty units.
    while (end - s >= 16) {
        const __m128i front = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
        const __m128i back = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 8));
        const unsigned ascii = asciiBits(front) | (asciiBits(back) << 16U);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm_packus_epi16(front, back));
        if (ascii != 0xFFFFFFFFU) {
            const auto n = static_cast<std::size_t>(std::countr_one(ascii) / 2);
            s += n;
            p += n;
            return;
        }
        s += 16;
        p += 16;
    }
    while (end - s >= 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
        const unsigned ascii = asciiBits(units);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_packus_epi16(units, units));
        if (ascii != 0xFFFFU) {
            const auto n = static_cast<std::size_t>(std::countr_one(ascii) / 2);
            s += n;
            p += n;
            return;
        }
        s += 8;
        p += 8;
    }
    // Fewer than eight left: one block ending at the end, overlapping units already written.
    // When it is all ASCII, so were those units, one byte each, and they are written again
    // with the same bytes.
    const auto left = end - s;
    if (left > 0 && s - begin >= 8 - left) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(end - 8));
        if (asciiBits(units) == 0xFFFFU) {
            _mm_storel_epi64(reinterpret_cast<__m128i*>(p - (8 - left)),
                             _mm_packus_epi16(units, units));
            s = end;
            p += left;
        }
    }
#else
    (void)begin;
    (void)s;
    (void)end;
    (void)p;
#endif
}

}  // namespace

void Utf8Writer::Drain()
{
    if (m_used > 0) m_out.write(m_buffer.data(), static_cast<std::streamsize>(m_used));
    m_used = 0;
}

void Utf8Writer::Write(std::u16string_view text)
{
    // At most three bytes per code unit (a pair gives four bytes for two units, a waiting
    // lead surrogate at most three more), so encode in slices that surely fit.
    constexpr std::size_t kSlice = kCapacity / 4;
    while (!text.empty()) {
        const std::size_t n = std::min(text.size(), kSlice);
        if (kCapacity - m_used < n * 3 + 3) Drain();
        Encode(text.substr(0, n));
        text.remove_prefix(n);
    }
}

void Utf8Writer::Encode(std::u16string_view text)
{
    char* p = m_buffer.data() + m_used;
    const char16_t* s = text.data();
    const char16_t* const end = s + text.size();
    if (m_lead != 0 && s != end) {
        if (IsTrailSurrogate(*s)) {
            p = PutUtf8(p, CombineSurrogates(m_lead, *s));
            ++s;
        } else {
            p = PutUtf8(p, 0xFFFD);
        }
        m_lead = 0;
    }
    while (s != end) {
        CopyAscii(text.data(), s, end, p);
        if (s == end) break;
        const char32_t c = *s;
        if (c < 0x80) {
            *p++ = static_cast<char>(c);
            ++s;
            continue;
        }
        ++s;
        if (IsLeadSurrogate(c)) {
            if (s == end) {
                m_lead = static_cast<char16_t>(c);
                break;
            }
            if (IsTrailSurrogate(*s)) {
                p = PutUtf8(p, CombineSurrogates(c, *s));
                ++s;
                continue;
            }
            p = PutUtf8(p, 0xFFFD);
        } else if (IsTrailSurrogate(c)) {
            p = PutUtf8(p, 0xFFFD);
        } else if (c >= 0x800) {  // the common case (kana, kanji)
            p = PutUtf8ThreeByteForm(p, c);
        } else {
            p = PutUtf8(p, c);
        }
    }
    m_used = static_cast<std::size_t>(p - m_buffer.data());
}

void Utf8Writer::EndPair()
{
    if (m_lead == 0) return;
    if (kCapacity - m_used < 3) Drain();
    char* p = PutUtf8(m_buffer.data() + m_used, 0xFFFD);
    m_used = static_cast<std::size_t>(p - m_buffer.data());
    m_lead = 0;
}

void Utf8Writer::WriteBytes(std::string_view bytes)
{
    EndPair();
    if (kCapacity - m_used < bytes.size()) Drain();
    if (bytes.size() >= kCapacity) {
        m_out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return;
    }
    std::memcpy(m_buffer.data() + m_used, bytes.data(), bytes.size());
    m_used += bytes.size();
}

bool Utf8Writer::Flush()
{
    EndPair();
    Drain();
    m_out.flush();
    return !m_out.fail();
}

}  // namespace kelvara::cli
