// SPDX-License-Identifier: MIT
// Lum.ini: the entries Kelvara keeps between starts, read at start-up and written at the end.
#include "kelvara/settings/settings_file.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "kelvara/engine/options.h"
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
    std::u16string_view section;
    std::u16string_view key;  // as written; read in any case
    std::size_t size;
    engine::OptionField field;
};

// The numbers other than the on/off options of engine::kOptions.
constexpr NumberEntry kOwnNumbers[] = {
    {u"Set", u"h_textflag", kFlagSize, &TagOptions::h_textflag},
    {u"Set", u"h_fontflag", kFlagSize, &TagOptions::h_fontflag},
    {u"Set", u"h_instantflag", kFlagSize, &TagOptions::h_instantflag},
    {u"Set", u"n", kFlagSize, &TagOptions::h_ColorCount},
    {u"FontSize", u"Max", kPixelSize, &TagOptions::h_MaxFontSize},
    {u"FontSize", u"Min", kPixelSize, &TagOptions::h_MinFontSize},
};

// Every number entry, in the order the load and the save step take them: that of the fields.
const std::vector<NumberEntry>& NumberEntries()
{
    static const std::vector<NumberEntry> entries =
        engine::WithOptionsInFieldOrder<NumberEntry>(kOwnNumbers, [](const engine::OptionRow& row) {
            return NumberEntry{row.iniSection, row.iniKey, kFlagSize, row.field};
        });
    return entries;
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
    const std::vector<NumberEntry>& numbers = NumberEntries();
    for (const NumberEntry& entry : numbers) {
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
    for (const NumberEntry& entry : numbers) {
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
    const std::vector<NumberEntry>& entries = NumberEntries();
    std::vector<std::u16string> numbers;
    numbers.reserve(entries.size() + 1);
    for (const NumberEntry& entry : entries) {
        numbers.push_back(FormatSigned(settings.TagOptions.*entry.field));
    }
    numbers.push_back(FormatSigned(settings.TagOptions.h_NFontSize));

    std::vector<ProfileWrite> writes;
    for (std::size_t i = 0; i < colorKeys.size(); ++i) {
        writes.push_back({u"Color", colorKeys[i], settings.SavedColors[i]});
    }
    writes.push_back({u"text", u"last", settings.txtFor});
    for (std::size_t i = 0; i < entries.size(); ++i) {
        writes.push_back({entries[i].section, entries[i].key, numbers[i]});
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
