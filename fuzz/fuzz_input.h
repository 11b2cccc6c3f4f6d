// SPDX-License-Identifier: MIT
// Taking typed values off the front of a fuzz input, with zeros once it runs out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kelvara::fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : m_bytes(reinterpret_cast<const char*>(data), size)
    {
    }

    std::uint8_t Byte()
    {
        if (m_bytes.empty()) {
            return 0;
        }
        const auto byte = static_cast<std::uint8_t>(m_bytes.front());
        m_bytes.remove_prefix(1);
        return byte;
    }

    std::int16_t Int16()
    {
        const auto low = Byte();
        const auto high = Byte();
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
    }

    // UTF-16 text of at most maxUnits units, two bytes each (unpaired surrogates included).
    std::u16string Text(std::size_t maxUnits)
    {
        const std::size_t units = Byte() % (maxUnits + 1);
        std::u16string text;
        for (std::size_t i = 0; i < units && m_bytes.size() >= 2; ++i) {
            text.push_back(static_cast<char16_t>(static_cast<std::uint16_t>(Int16())));
        }
        return text;
    }

    std::string_view Rest() const { return m_bytes; }

private:
    std::string_view m_bytes;
};

}  // namespace kelvara::fuzz
