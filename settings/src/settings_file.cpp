// SPDX-License-Identifier: MIT
// Lum.ini: the entries Kelvara keeps between starts, read at start-up and written at the end.
#include "kelvara/settings/settings_file.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <vector>

#include "kelvara/settings/numbers.h"
#include "kelvara/settings/profile.h"

namespace kelvara::settings {
namespace {

using engine::TagOptions;

// Read sizes are buffer sizes: a value keeps at most one byte less.
constexpr std::size_t kTextSize = 500;
constexpr std::size_t kColorSize = 7;
constexpr std::size_t kFlagSize = 3;
constexpr std::size_t kPixelSize = 12;
constexpr std::size_t kFaceSize = 20;

struct NumberEntry {
    const char16_t* section;
    const char16_t* key;
    std::size_t size;
    std::int16_t TagOptions::*field;
};

// The number entries in the order the load and the save step take them.
constexpr NumberEntry kNumberEntries[] = {
    {u"Set", u"h_textflag", kFlagSize, &TagOptions::h_textflag},
    {u"Set", u"h_fontflag", kFlagSize, &TagOptions::h_fontflag},
    {u"Set", u"h_styleflag", kFlagSize, &TagOptions::h_styleflag},
    {u"Set", u"h_instantflag", kFlagSize, &TagOptions::h_instantflag},
    {u"Set", u"n", kFlagSize, &TagOptions::h_ColorCount},
    {u"Set", u"h_Centerflag", kFlagSize, &TagOptions::h_Centerflag},
    {u"Font", u"h_ItalicFlag", kFlagSize, &TagOptions::h_ItalicFlag},
    {u"Font", u"h_BoldFlag", kFlagSize, &TagOptions::h_BoldFlag},
    {u"Font", u"h_NotFlag", kFlagSize, &TagOptions::h_NotFlag},
    {u"Font", u"Sub", kFlagSize, &TagOptions::h_SubFlag},
    {u"Font", u"Up", kFlagSize, &TagOptions::h_UpFlag},
    {u"Font", u"Under", kFlagSize, &TagOptions::h_UnderFlag},
    {u"FontSize", u"Max", kPixelSize, &TagOptions::h_MaxFontSize},
    {u"FontSize", u"Min", kPixelSize, &TagOptions::h_MinFontSize},
    // Written back in lower case; names match in any case, so the load still finds it.
    {u"Else", u"h_marqueeFlag", kFlagSize, &TagOptions::h_marqueeFlag},
    {u"Else", u"Blink", kFlagSize, &TagOptions::h_BlinkFlag},
};

std::u16string_view WrittenKey(const NumberEntry& entry)
{
    return std::u16string_view(entry.key) == u"h_marqueeFlag" ? u"h_marqueeflag" : entry.key;
}

struct ColorEntry {
    const char16_t* key;
    std::u16string StoredSettings::*field;
};

constexpr ColorEntry kColorEntries[] = {
    {u"For", &StoredSettings::txtCfor},
    {u"Last", &StoredSettings::txtClat},
    {u"Mid", &StoredSettings::txtCmid},
    {u"Back", &StoredSettings::txtBack},
};

// The saved colours' keys " 0" ... " 11", as the number rule writes them.
std::array<std::u16string, 12> SavedColorKeys()
{
    std::array<std::u16string, 12> keys;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        keys[i] = FormatSigned(static_cast<int>(i));
    }
    return keys;
}

}  // namespace

engine::FileRead<StoredSettings> LoadSettings(const std::filesystem::path& iniPath)
{
    const engine::FileRead<ProfileFile> file = ProfileFile::Load(iniPath);

    // Every entry in load order, found in one pass over the file.
    std::vector<ProfileRead> reads;
    reads.push_back({u"text", u"last", kTextSize});
    const std::array<std::u16string, 12> colorKeys = SavedColorKeys();
    for (const std::u16string& key : colorKeys) {
        reads.push_back({u"Color", key, kColorSize});
    }
    for (const NumberEntry& entry : kNumberEntries) {
        reads.push_back({entry.section, entry.key, entry.size});
    }
    for (const ColorEntry& entry : kColorEntries) {
        reads.push_back({u"Color", entry.key, kColorSize});
    }
    reads.push_back({u"Font", u"h_NFontSize", kFlagSize});
    reads.push_back({u"Font", u"h_FontFace", kFaceSize});
    const std::span<const ProfileRead> outputReads = OutputReads();
    reads.insert(reads.end(), outputReads.begin(), outputReads.end());
    std::vector<std::u16string> values = file.value.Read(reads);

    StoredSettings settings;
    auto next = values.begin();
    settings.txtFor = std::move(*next++);
    for (std::u16string& color : settings.SavedColors) {
        color = std::move(*next++);
    }
    for (const NumberEntry& entry : kNumberEntries) {
        settings.TagOptions.*entry.field = RoundToInt16(ParseLenient(*next++));
    }
    for (const ColorEntry& entry : kColorEntries) {
        settings.*entry.field = std::move(*next++);
    }
    // The size buttons and the generator need 1..7; a missing or garbled entry starts at 3.
    settings.TagOptions.h_NFontSize = StrictInteger(*next++).value_or(kDefaultNFontSize);
    settings.TagOptions.h_FontFace = std::move(*next++);
    settings.Output = OutputFromValues(std::span<const std::u16string>(next, values.end()));
    return {std::move(settings), file.error};
}

std::error_code SaveSettings(const StoredSettings& settings, const std::filesystem::path& iniPath)
{
    // One read and one replacement of the whole file; the edits in between are the same, in
    // the same order, as one profile write per entry would make.
    engine::FileRead<ProfileFile> file = ProfileFile::Load(iniPath);
    if (file.error) {
        return file.error;  // an unreadable file is kept rather than overwritten with ours alone
    }
    const std::array<std::u16string, 12> colorKeys = SavedColorKeys();
    std::vector<std::u16string> numbers;
    numbers.reserve(std::size(kNumberEntries) + 1);
    for (const NumberEntry& entry : kNumberEntries) {
        numbers.push_back(FormatSigned(settings.TagOptions.*entry.field));
    }
    numbers.push_back(FormatSigned(settings.TagOptions.h_NFontSize));

    std::vector<ProfileWrite> writes;
    for (std::size_t i = 0; i < colorKeys.size(); ++i) {
        writes.push_back({u"Color", colorKeys[i], settings.SavedColors[i]});
    }
    writes.push_back({u"text", u"last", settings.txtFor});
    for (std::size_t i = 0; i < std::size(kNumberEntries); ++i) {
        writes.push_back({kNumberEntries[i].section, WrittenKey(kNumberEntries[i]), numbers[i]});
    }
    for (const ColorEntry& entry : kColorEntries) {
        writes.push_back({u"Color", entry.key, settings.*entry.field});
    }
    writes.push_back({u"Font", u"h_nfontsize", numbers.back()});
    writes.push_back({u"Font", u"h_FontFace", settings.TagOptions.h_FontFace});
    const OutputWrites output(settings.Output);
    output.AppendTo(writes);
    file.value.Write(writes);
    return file.value.Save(iniPath);
}

}  // namespace kelvara::settings
