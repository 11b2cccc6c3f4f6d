// SPDX-License-Identifier: MIT
// Text written as UTF-8 as it is produced: UTF-16 pieces are encoded into a fixed buffer that
// is handed to the output stream whenever it fills, so no whole result is ever held.
#pragma once

#include <array>
#include <cstddef>
#include <iosfwd>
#include <string_view>

namespace kelvara::cli {

class Utf8Writer {
public:
    explicit Utf8Writer(std::ostream& out) : m_out(out) {}
    ~Utf8Writer() = default;
    Utf8Writer(const Utf8Writer&) = delete;
    Utf8Writer& operator=(const Utf8Writer&) = delete;

    // A surrogate pair may be split across two calls; an unpaired surrogate becomes U+FFFD.
    void Write(std::u16string_view text);
    void WriteBytes(std::string_view bytes);
    // Passes everything on and flushes the stream; false when the stream failed.
    bool Flush();

private:
    void Encode(std::u16string_view text);
    void Drain();
    // A lead surrogate still waiting has no trail: it becomes U+FFFD.
    void EndPair();

    static constexpr std::size_t kCapacity = 64 * 1024;
    std::ostream& m_out;
    std::array<char, kCapacity> m_buffer;  // uninitialised: only the pages used are touched
    std::size_t m_used = 0;
    char16_t m_lead = 0;  // a lead surrogate waiting for its trail
};

}  // namespace kelvara::cli
