// SPDX-License-Identifier: MIT
// A generator run written out as it is produced: the opening text first, then every
// character's element as the generator makes it, then the closing text.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "kelvara/engine/generator.h"
#include "utf8_writer.h"

namespace kelvara::cli {

// Hands the pieces of a run to the UTF-8 writer in blocks of some thousands of code units:
// an element is a few dozen units, and encoding each on its own cost more in the calls
// and at the ends of the piece than in the encoding.
class Utf8StreamSink final : public engine::StreamingSink {
public:
    explicit Utf8StreamSink(Utf8Writer& out) : m_out(out) {}
    ~Utf8StreamSink() override { Flush(); }
    Utf8StreamSink(const Utf8StreamSink&) = delete;
    Utf8StreamSink& operator=(const Utf8StreamSink&) = delete;

    void Append(std::u16string_view piece) override
    {
        if (piece.size() > m_block.size() - m_used) {
            Flush();
            if (piece.size() > m_block.size()) {
                m_out.Write(piece);
                return;
            }
        }
        piece.copy(m_block.data() + m_used, piece.size());
        m_used += piece.size();
    }

    // Passes on what is held; to be called before anything else is written to the writer.
    void Flush()
    {
        m_out.Write(std::u16string_view(m_block.data(), m_used));
        m_used = 0;
    }

private:
    Utf8Writer& m_out;
    std::array<char16_t, std::size_t{8} * 1024> m_block;  // uninitialised: written first
    std::size_t m_used = 0;
};

}  // namespace kelvara::cli
