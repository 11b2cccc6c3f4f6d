// SPDX-License-Identifier: MIT
// Every on/off option as kelvara-gen users meet it: its flag in the help, its Lum.ini entry
// saved and loaded back (in any case), its line in --print-settings, and what one writer of
// each family makes of it, or the note when the format leaves it out. The table is what a user
// sees; every row of engine::kOptions must have a line in it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli_options.h"
#include "gen_run.h"
#include "kelvara/engine/options.h"

namespace kelvara::cli {
namespace {

// What a writer makes of an option: markup its output holds, or, empty, a note on standard
// error naming the option as `note`.
struct Written {
    std::string format;
    std::string markup;
};

struct OptionCase {
    std::string flag;
    std::string section;  // Lum.ini, as written
    std::string key;
    std::string printed;  // the name in --print-settings
    std::string note;
    std::vector<Written> writers;  // the FONT, span, BBCode and MFM writers
};

const std::vector<OptionCase> kCases = {
    {"center",
     "Set",
     "h_Centerflag",
     "h_Centerflag",
     "centring",
     {{"font", "<CENTER>"},
      {"span", "text-align:center"},
      {"bbcode", "[center]"},
      {"mfm", "<center>"}}},
    {"bold",
     "Font",
     "h_BoldFlag",
     "h_BoldFlag",
     "bold",
     {{"font", "<B>"}, {"span", "font-weight:bold"}, {"bbcode", "[b]"}, {"mfm", "<b>"}}},
    {"italic",
     "Font",
     "h_ItalicFlag",
     "h_ItalicFlag",
     "italic",
     {{"font", "<I>"}, {"span", "font-style:italic"}, {"bbcode", "[i]"}, {"mfm", "<i>"}}},
    {"strike",
     "Font",
     "h_NotFlag",
     "h_NotFlag",
     "strike-through",
     {{"font", "<S>"},
      {"span", "text-decoration:line-through"},
      {"bbcode", "[s]"},
      {"mfm", "<s>"}}},
    {"sub",
     "Font",
     "Sub",
     "h_SubFlag",
     "subscript",
     {{"font", "<SUB>"}, {"span", "<sub>"}, {"bbcode", ""}, {"mfm", ""}}},
    {"sup",
     "Font",
     "Up",
     "h_UpFlag",
     "superscript",
     {{"font", "<SUP>"}, {"span", "<sup>"}, {"bbcode", ""}, {"mfm", ""}}},
    {"underline",
     "Font",
     "Under",
     "h_UnderFlag",
     "underline",
     {{"font", "<U>"}, {"span", "text-decoration:underline"}, {"bbcode", "[u]"}, {"mfm", ""}}},
    {"marquee",
     "Else",
     "h_marqueeflag",
     "h_marqueeFlag",
     "the marquee",
     {{"font", "<MARQUEE>"}, {"span", ""}, {"bbcode", ""}, {"mfm", ""}}},
    {"blink",
     "Else",
     "Blink",
     "h_BlinkFlag",
     "blinking",
     {{"font", "<BLINK>"}, {"span", ""}, {"bbcode", ""}, {"mfm", ""}}},
    {"vertical",
     "Set",
     "h_styleflag",
     "h_styleflag",
     "vertical writing",
     {{"font", "<BR>"}, {"span", "writing-mode:vertical-rl"}, {"bbcode", ""}, {"mfm", ""}}},
};

// The value of a key in a section of an INI text, blanks trimmed, or nothing.
std::optional<std::string> IniValue(const std::string& ini, const std::string& section,
                                    const std::string& key)
{
    const std::size_t start = ini.find("[" + section + "]\r\n");
    if (start == std::string::npos) return std::nullopt;
    const std::size_t end = std::min(ini.find("\r\n[", start + 1), ini.size());
    const std::size_t at = ini.find("\r\n" + key + "=", start);
    if (at == std::string::npos || at >= end) return std::nullopt;
    std::size_t value = at + 2 + key.size() + 1;
    while (ini[value] == ' ') ++value;
    return ini.substr(value, ini.find("\r\n", value) - value);
}

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

void PrintTo(const OptionCase& c, std::ostream* out) { *out << "--" << c.flag; }

class OptionRows : public ::testing::TestWithParam<OptionCase> {};

TEST(OptionRowsTable, EveryOptionOfTheTableHasItsCase)
{
    ASSERT_EQ(kCases.size(), engine::kOptions.size());
    for (const engine::OptionRow& row : engine::kOptions) {
        EXPECT_TRUE(std::any_of(kCases.begin(), kCases.end(), [&](const OptionCase& c) {
            return c.flag == row.flag;
        })) << row.flag;
    }
}

TEST_P(OptionRows, FlagReachesEveryWriterOrGivesItsNote)
{
    const OptionCase& c = GetParam();
    EXPECT_NE(Usage().find("\n  --" + c.flag + " "), std::string::npos);
    for (const Written& writer : c.writers) {
        SCOPED_TRACE(writer.format);
        const GenRun plain = Gen({"--format=" + writer.format, "ab"});
        const GenRun run = Gen({"--format=" + writer.format, "--" + c.flag, "ab"});
        ASSERT_EQ(run.status, kExitOk);
        if (writer.markup.empty()) {
            EXPECT_EQ(run.out, plain.out);
            EXPECT_EQ(run.err, "kelvara-gen: " + c.note + " is left out: the " + writer.format +
                                   " format cannot express it\n");
        } else {
            EXPECT_EQ(plain.out.find(writer.markup), std::string::npos);
            EXPECT_NE(run.out.find(writer.markup), std::string::npos) << run.out;
            EXPECT_EQ(run.err, "");
        }
        // Only 1 is on: any other value stored by =N leaves the output as it was.
        EXPECT_EQ(Gen({"--format=" + writer.format, "--" + c.flag + "=2", "ab"}).out, plain.out);
    }
}

TEST_P(OptionRows, SettingsFileKeepsTheOptionAndGivesItBack)
{
    const OptionCase& c = GetParam();
    const TempFolder dir;
    const std::string ini = dir.File("Lum.ini");
    ASSERT_EQ(Gen({"--" + c.flag + "=1", "--save-settings=" + ini, "ab"}).status, kExitOk);
    const std::string saved = ReadFile(ini);
    EXPECT_EQ(IniValue(saved, c.section, c.key), "1") << saved;

    const GenRun printed = Gen({"--settings=" + ini, "--print-settings"});
    EXPECT_NE(printed.out.find("\n" + c.printed + "=1\n"), std::string::npos) << printed.out;
    EXPECT_NE(Gen({"--settings=" + ini}).out.find(c.writers.front().markup), std::string::npos);

    // A file written by hand may spell the key in any case; a value other than 1 is kept.
    test::WriteFile(ini, "[" + c.section + "]\r\n" + Upper(c.key) + "=7\r\n");
    EXPECT_NE(Gen({"--settings=" + ini, "--print-settings"}).out.find("\n" + c.printed + "=7\n"),
              std::string::npos);
    // Off on the command line wins over the file, and is saved as 0.
    ASSERT_EQ(Gen({"--settings=" + ini, "--" + c.flag + "=0", "--save-settings=" + ini}).status,
              kExitOk);
    EXPECT_EQ(IniValue(ReadFile(ini), c.section, Upper(c.key)), "0");
}

INSTANTIATE_TEST_SUITE_P(EveryOption, OptionRows, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<OptionCase>& info) {
                             return info.param.flag;
                         });

}  // namespace
}  // namespace kelvara::cli
