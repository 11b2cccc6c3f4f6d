// SPDX-License-Identifier: MIT
// The places an author posts to, one table row each: the syntax that keeps colours there, and
// the length limit a coloured text reaches there, counted as that place counts. The window's
// list "投稿先", kelvara-gen's --target and --targets and the browser page all derive from these
// rows. Places that take no coloured text at all (X, LINE, Instagram, Bluesky, note, YouTube)
// take a picture instead and have no row.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "kelvara/engine/formats.h"

namespace kelvara::engine {

struct TargetRow {
    std::string_view name;     // --target and Lum.ini
    std::string_view caption;  // UTF-8, the window's list and the status line
    OutputFormat format;
    std::size_t limit;  // the most characters there; 0: none that a coloured text reaches
    LengthUnit unit;    // how the place counts them
};

// In the order of the window's list and of kelvara-gen's --targets.
inline constexpr std::array<TargetRow, 14> kTargets{{
    {"ameblo", "アメーバブログ", OutputFormat::Span, 0, LengthUnit::CodePoints},
    {"hatena", "はてなブログ", OutputFormat::Span, 0, LengthUnit::CodePoints},
    {"fc2", "FC2ブログ", OutputFormat::Span, 0, LengthUnit::CodePoints},
    {"qiita", "Qiita", OutputFormat::Font, 0, LengthUnit::CodePoints},
    {"github", "GitHub", OutputFormat::Latex, 0, LengthUnit::CodePoints},
    {"zenn", "Zenn", OutputFormat::Latex, 0, LengthUnit::CodePoints},
    {"pukiwiki", "PukiWiki・wikiwiki.jp", OutputFormat::Wiki, 0, LengthUnit::CodePoints},
    {"wikidot", "Wikidot", OutputFormat::Wikidot, 0, LengthUnit::CodePoints},
    {"mediawiki", "MediaWiki", OutputFormat::Span, 0, LengthUnit::CodePoints},
    {"misskey-note", "Misskey ノート", OutputFormat::Mfm, 3000, LengthUnit::CodePoints},
    {"misskey-name", "Misskey 名前", OutputFormat::Mfm, 50, LengthUnit::CodePoints},
    {"discord", "Discord", OutputFormat::Discord, 2000, LengthUnit::CodePoints},
    {"minecraft", "Minecraft (MiniMessage)", OutputFormat::MiniMessage, 256,
     LengthUnit::Utf16Units},
    {"minecraft-plugin", "Minecraft (&#RRGGBB)", OutputFormat::AmpHex, 256, LengthUnit::Utf16Units},
}};

// The row named exactly `name`, or nothing.
constexpr const TargetRow* FindTarget(std::string_view name)
{
    for (const TargetRow& row : kTargets) {
        if (row.name == name) return &row;
    }
    return nullptr;
}

}  // namespace kelvara::engine
