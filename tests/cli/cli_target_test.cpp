// SPDX-License-Identifier: MIT
// kelvara-gen --target and --targets: every place of the table gives its format and
// its limit, from the command line and from a settings file, the limit counted as the place
// counts it; the mistakes a user can make get their messages.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "gen_run.h"
#include "places.h"

namespace kelvara::cli {
namespace {

using test::kPlaces;
using test::Place;

// Code points of UTF-8, and UTF-16 code units (four-byte sequences count 2).
std::size_t Length(const std::string& utf8, bool utf16)
{
    std::size_t n = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0U) != 0x80U) n += utf16 && byte >= 0xF0U ? 2 : 1;
    }
    return n;
}

std::string Repeat(const std::string& piece, std::size_t times)
{
    std::string text;
    for (std::size_t i = 0; i < times; ++i) text += piece;
    return text;
}

std::string Chomp(std::string text)
{
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

TEST(CliTarget, EveryPlaceSetsItsFormatAndFitsToItsLimit)
{
    for (const Place& place : kPlaces) {
        SCOPED_TRACE(place.name);
        const std::string target = "--target=" + place.name;
        // A short text: exactly the output of the place's format with its limit.
        std::vector<std::string> same = {"--format=" + place.format, "虹色の"};
        if (place.limit != 0) same.push_back("--fit=" + std::to_string(place.limit));
        const GenRun shortRun = Gen({target, "虹色の"});
        EXPECT_EQ(shortRun.status, kExitOk);
        EXPECT_EQ(shortRun.out, Gen(same).out);
        if (place.limit == 0) continue;

        // A text whose output is longer than the limit, not by the text alone.
        const std::string text = Repeat("グラデ", (place.limit - 20) / 3);
        const GenRun whole = Gen({"--format=" + place.format, text});
        ASSERT_GT(Length(Chomp(whole.out), place.utf16), place.limit);
        const GenRun fitted = Gen({target, text});
        EXPECT_EQ(fitted.status, kExitOk) << fitted.err;
        EXPECT_LE(Length(Chomp(fitted.out), place.utf16), place.limit);
        EXPECT_GT(Length(Chomp(fitted.out), place.utf16), place.limit * 9 / 10);
        // An explicit limit replaces the place's: one the whole output meets leaves it whole.
        const std::string wholeLength = std::to_string(Length(Chomp(whole.out), place.utf16));
        EXPECT_EQ(Gen({target, "--fit=" + wholeLength, text}).out, whole.out);
    }
}

TEST(CliTarget, SettingsFilesKeepTheTargetAndGiveItsFormatAndLimit)
{
    const TempFolder folder;
    for (const Place& place : kPlaces) {
        SCOPED_TRACE(place.name);
        const std::string file = folder.File(place.name + ".ini");
        ASSERT_EQ(Gen({"--target=" + place.name, "--save-settings=" + file, "abc"}).status,
                  kExitOk);
        const std::string saved = ReadFile(file);
        EXPECT_NE(saved.find("Target=" + place.name + "\r\n"), std::string::npos);
        const std::string limit = place.limit == 0 ? "" : std::to_string(place.limit);
        const std::string printed = Gen({"--settings=" + file, "--print-settings"}).out;
        EXPECT_NE(printed.find("\nFormat=" + place.format + "\n"), std::string::npos);
        EXPECT_NE(printed.find("\nFit=" + limit + "\n"), std::string::npos);
        EXPECT_NE(printed.find("\nTarget=" + place.name + "\n"), std::string::npos);
    }
    // No target: no entry, and nothing printed.
    const std::string plain = folder.File("plain.ini");
    ASSERT_EQ(Gen({"--save-settings=" + plain, "--format=mfm", "abc"}).status, kExitOk);
    EXPECT_EQ(ReadFile(plain).find("Target"), std::string::npos);
    EXPECT_EQ(Gen({"--settings=" + plain, "--print-settings"}).out.find("Target"),
              std::string::npos);
}

TEST(CliTarget, MinecraftCountsUtf16UnitsSoAnEmojiCountsTwo)
{
    const std::string text = Repeat("😀", 60);
    for (const std::string target : {"minecraft", "minecraft-plugin"}) {
        const GenRun fitted = Gen({"--target=" + target, text});
        ASSERT_EQ(fitted.status, kExitOk) << fitted.err;
        const std::string output = Chomp(fitted.out);
        EXPECT_LE(Length(output, true), 256U);
        // Counted in code points the same output would leave room for more colours.
        EXPECT_LT(Length(output, false), 256U - 30);
    }
}

TEST(CliTarget, MistakesAndTextsTooLongForOneColour)
{
    const GenRun both = Gen({"--target=discord", "--format=span", "abc"});
    EXPECT_EQ(both.status, kExitUsage);
    EXPECT_NE(both.err.find("--format and --target"), std::string::npos);
    const GenRun unknown = Gen({"--target=twitter", "abc"});
    EXPECT_EQ(unknown.status, kExitUsage);
    EXPECT_NE(unknown.err.find("minecraft-plugin"), std::string::npos);

    // A Misskey name holds 50 characters: $[fg.color=RRGGBB ...] leaves 31 for the text.
    const std::string text = Repeat("あ", 40);
    const GenRun refused = Gen({"--target=misskey-name", text});
    EXPECT_EQ(refused.status, kExitFailed);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find(" 50 "), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("31 characters of this text would fit"), std::string::npos)
        << refused.err;
    EXPECT_EQ(Gen({"--target=misskey-name", Repeat("あ", 31)}).status, kExitOk);
    EXPECT_EQ(Gen({"--target=misskey-name", Repeat("あ", 32)}).status, kExitFailed);
}

TEST(CliTarget, TheListHasEveryPlaceWithFormatAndLimit)
{
    const GenRun list = Gen({"--targets"});
    EXPECT_EQ(list.status, kExitOk);
    std::size_t at = 0;
    for (const Place& place : kPlaces) {
        const std::size_t end = list.out.find('\n', at);
        ASSERT_NE(end, std::string::npos);
        const std::string line = list.out.substr(at, end - at);
        at = end + 1;
        const std::string limit = place.limit == 0 ? "-"
                                  : place.utf16    ? std::to_string(place.limit) + " UTF-16 units"
                                                   : std::to_string(place.limit);
        EXPECT_EQ(line, place.name + "\t" + place.caption + "\t" + place.format + "\t" + limit);
    }
    EXPECT_EQ(at, list.out.size());
}

// --preview writes what the window's view and the browser page show for a result.
TEST(CliPreview, ShowsWhatABrowserShows)
{
    const std::string text = "虹色のグラデーション";
    // Formats a browser renders come out as they are.
    for (const char* format : {"--format=font", "--format=span", "--format=css"}) {
        EXPECT_EQ(Gen({format, "--preview", text}).out, Gen({format, text}).out) << format;
    }
    // Discord's preview holds only the eight colours Discord draws.
    const GenRun discord =
        Gen({"--target=discord", "--preview", "--stops=FF8800,00FFAA,8800FF", text});
    EXPECT_EQ(discord.status, kExitOk);
    const std::set<std::string> eight = {"4F545C", "DC322F", "859900", "B58900",
                                         "268BD2", "D33682", "2AA198", "FFFFFF"};
    const std::regex colour("color:#([0-9A-F]{6})");
    std::size_t spans = 0;
    for (auto it = std::sregex_iterator(discord.out.begin(), discord.out.end(), colour);
         it != std::sregex_iterator(); ++it, ++spans) {
        EXPECT_TRUE(eight.contains((*it)[1].str())) << (*it)[1].str();
    }
    EXPECT_EQ(spans, 10U);
    // A place's limit that the text misses does not hold back what it looks like.
    const std::string name = Repeat("あ", 60);
    ASSERT_EQ(Gen({"--target=misskey-name", name}).status, kExitFailed);
    const GenRun preview = Gen({"--target=misskey-name", "--preview", name});
    EXPECT_EQ(preview.status, kExitOk);
    EXPECT_EQ(preview.out, Gen({"--format=span", name}).out);
}

}  // namespace
}  // namespace kelvara::cli
