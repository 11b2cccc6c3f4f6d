// SPDX-License-Identifier: MIT
// Fuzzes the INI store with arbitrary file contents (odd lines, NUL bytes, broken Shift-JIS,
// long lines): parsing must be lossless, reads must respect their size, a written value must
// read back, and many reads or writes at once must give what the same ones one by one give.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "kelvara/engine/shift_jis.h"
#include "kelvara/settings/profile.h"

namespace {

using kelvara::engine::DecodeShiftJis;
using kelvara::engine::EncodeShiftJis;
using kelvara::engine::Unmappable;
using kelvara::settings::ProfileFile;
using kelvara::settings::ProfileRead;
using kelvara::settings::ProfileWrite;

void Check(bool condition)
{
    if (!condition) {
        __builtin_trap();
    }
}

struct Entry {
    std::u16string_view section;
    std::u16string_view key;
    std::size_t size;
};

constexpr Entry kEntries[] = {
    {u"text", u"last", 500},      {u"Color", u" 0", 7},  {u"Set", u"h_textflag", 3},
    {u"Font", u"h_FontFace", 20}, {u"ゾーン", u"ソ", 5}, {u"FontSize", u"Max", 12},
};

// What reading gives for a value that was written: the text up to a line break or NUL,
// without surrounding blanks. Characters that do not decode are swapped for plain letters
// first, so that the value survives the trip through Shift-JIS unchanged.
std::u16string WritableValue(std::string_view bytes)
{
    std::u16string value = DecodeShiftJis(bytes);
    for (char16_t& c : value) {
        if (c == u'\uFFFD') {
            c = u'x';
        }
    }
    return value;
}

std::u16string ExpectedRead(std::u16string value)
{
    value = value.substr(0, value.find_first_of(std::u16string_view(u"\r\n\0", 3)));
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    while (!value.empty() && blank(value.back())) {
        value.pop_back();
    }
    std::size_t first = 0;
    while (first < value.size() && blank(value[first])) {
        ++first;
    }
    return value.substr(first);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ProfileFile file = ProfileFile::FromBytes(bytes);
    Check(file.Bytes() == bytes);

    for (const Entry& entry : kEntries) {
        const std::u16string value = file.Read(entry.section, entry.key, entry.size);
        Check(EncodeShiftJis(value, Unmappable::DefaultChar).size() <= entry.size - 1);
    }

    const std::u16string value = WritableValue(bytes.substr(0, 80));
    const std::u16string expected = ExpectedRead(value);
    const Entry& target = kEntries[size % std::size(kEntries)];
    file.Write(target.section, target.key, value);
    Check(file.Read(target.section, target.key, 1 << 20) == expected);

    const ProfileFile again = ProfileFile::FromBytes(file.Bytes());
    Check(again.Bytes() == file.Bytes());
    Check(again.Read(target.section, target.key, 1 << 20) == expected);

    std::vector<ProfileRead> reads;
    std::vector<ProfileWrite> writes;
    const std::u16string blanked = u" " + value + u" ";
    for (std::size_t i = 0; i < 2 * std::size(kEntries); ++i) {
        const Entry& entry =
            kEntries[(size + i * (bytes.empty() ? 1 : data[i % size])) % std::size(kEntries)];
        reads.push_back({entry.section, entry.key, entry.size});
        writes.push_back({entry.section, entry.key,
                          i % 3 == 0 ? std::u16string_view(blanked) : std::u16string_view(value)});
    }
    const ProfileFile original = ProfileFile::FromBytes(bytes);
    const std::vector<std::u16string> values = original.Read(reads);
    for (std::size_t i = 0; i < reads.size(); ++i) {
        Check(values[i] == original.Read(reads[i].section, reads[i].key, reads[i].size));
    }
    // A file ending in a lone CR is the one exception: once a write closes that last line, the
    // CR and the new LF read as one CR LF, so a second separate write sees another file.
    if (bytes.ends_with('\r')) {
        return 0;
    }
    ProfileFile separate = ProfileFile::FromBytes(bytes);
    for (const ProfileWrite& write : writes) {
        separate.Write(write.section, write.key, write.value);
    }
    ProfileFile together = ProfileFile::FromBytes(bytes);
    together.Write(writes);
    Check(together.Bytes() == separate.Bytes());
    return 0;
}
