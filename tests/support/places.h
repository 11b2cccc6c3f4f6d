// SPDX-License-Identifier: MIT
// The places an author posts to, as the tests expect them: written out here from the table of
// the request that introduced them, not taken from the program's own table, so that a wrong
// row there is caught.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kelvara::test {

struct Place {
    std::string name;
    std::string caption;
    std::string format;
    std::size_t limit;  // 0: none
    bool utf16;         // counted in UTF-16 code units rather than code points
};

inline const std::vector<Place> kPlaces = {
    {"ameblo", "アメーバブログ", "span", 0, false},
    {"hatena", "はてなブログ", "span", 0, false},
    {"fc2", "FC2ブログ", "span", 0, false},
    {"qiita", "Qiita", "font", 0, false},
    {"github", "GitHub", "latex", 0, false},
    {"zenn", "Zenn", "latex", 0, false},
    {"pukiwiki", "PukiWiki・wikiwiki.jp", "wiki", 0, false},
    {"wikidot", "Wikidot", "wikidot", 0, false},
    {"mediawiki", "MediaWiki", "span", 0, false},
    {"misskey-note", "Misskey ノート", "mfm", 3000, false},
    {"misskey-name", "Misskey 名前", "mfm", 50, false},
    {"discord", "Discord", "discord", 2000, false},
    {"minecraft", "Minecraft (MiniMessage)", "minimessage", 256, true},
    {"minecraft-plugin", "Minecraft (&#RRGGBB)", "amp-hex", 256, true},
};

}  // namespace kelvara::test
