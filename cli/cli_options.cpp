// SPDX-License-Identifier: MIT
// Parsing the options of kelvara-gen. Hand-written: the command line mixes flags that take a
// value only as --bold=N with options whose value may follow as the next argument, and every
// message, exit status and help line is fixed, so a general parser would need bending at
// every option.
#include "cli_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <functional>
#include <limits>
#include <string_view>

#include "kelvara/engine/options.h"
#include "kelvara/engine/utf8.h"

namespace kelvara::cli {

namespace {

constexpr std::string_view kUsageHead =
    "Usage: kelvara-gen [OPTION]... [TEXT]\n"
    "Turn TEXT into HTML gradient text: one FONT element per character.\n"
    "\n"
    "  TEXT                 the text to convert, UTF-8; \"-\" or no TEXT: standard input\n"
    "                       (one trailing newline removed); a TEXT beginning with \"-\"\n"
    "                       goes after \"--\"\n"
    "  --first=RRGGBB       first colour                            default FF0000\n"
    "  --middle=RRGGBB      middle colour                           default 00FF00\n"
    "  --last=RRGGBB        last colour                             default 0000FF\n"
    "  --colors=N           number of colours, 2 or 3               default 2\n"
    "  --stops=C1,C2,...    2 to 16 colours RRGGBB, in place of the colours and\n"
    "                       the number of colours above\n";
// --space, --format and --fit come from the tables of spaces and formats.
constexpr std::string_view kUsageMiddle =
    "  --contrast=RRGGBB    report on standard error every character whose contrast\n"
    "                       with this background is below 4.5:1\n"
    "  --lines              every line of the input (TEXT or standard input) is a text\n"
    "                       of its own: one result per line, a refused line empty\n"
    "  --font-mode=N        0 fixed size, 1/2 HTML sizes down/up,\n"
    "                       3/4 pixel sizes down/up                 default 0\n"
    "  --base-size=N        HTML size for font mode 0               default 3\n";
// --face: its default is the engine's.
constexpr std::string_view kUsageTail =
    "  --max=N              largest pixel size, font modes 3 and 4  default 0\n"
    "  --min=N              smallest pixel size, font modes 3 and 4 default 0\n";
// The on/off options come from their table.
static_assert(engine::kOptions.size() == 10, "the help says \"these ten\"");
constexpr std::string_view kUsageEnd =
    "                       (these ten also take =N to store N; only 1 is on)\n"
    "  --settings=FILE      load text, colours and options from a Lum.ini settings file\n"
    "                       (without TEXT the file's text is converted); options given\n"
    "                       here override it\n"
    "  --print-settings     print every value after loading and overrides, then exit\n"
    "  --save-settings=FILE write every value to FILE (created or updated), then exit\n"
    "  --background=RRGGBB  background colour for --page            default FFFFFF\n"
    "  --page=FILE          also write the preview page to FILE\n"
    "  --preview            write the HTML a browser shows for the result: a format\n"
    "                       browsers do not render as HTML5 spans in the colours it\n"
    "                       can show (no limit, no contrast check)\n"
    "  --image=FILE         write the picture to FILE (\".png\" or \".svg\" decides the\n"
    "                       type); nothing is written to standard output\n"
    "  --px=N               pixel size of size 3 in the picture, 8 to 512\n"
    "                                                               default 48\n"
    "  --scale=N            device pixels per pixel, 1 to 4         default 1\n"
    "  --wrap=N             wrap lines longer than N pixels (16 to 16384) where\n"
    "                       Japanese may break; without it lines end at line breaks\n"
    "  --image-back=RRGGBB  background colour of the picture; without it the\n"
    "                       background is transparent\n"
    "  --outline=RRGGBB     an outline of px/16 pixels round every glyph\n"
    "  --shadow=RRGGBB      a soft drop shadow offset by px/16 to the lower right\n"
    "  -h, --help           show this help and exit\n"
    "  --version            show the version and exit\n"
    "\n"
    "An option's value may also follow as the next argument (--face NAME); \"--\" ends\n"
    "the options.\n"
    "Exit status: 0 done, 1 text refused or a file could not be read or written,\n"
    "2 wrong usage.\n";

constexpr std::size_t kHelpWidth = 80;
constexpr std::size_t kTextColumn = 23;
constexpr std::size_t kDefaultColumn = 63;

// One help entry: `head` before the text column, `text` wrapped at the help's width, and the
// default in its column on the last line, or on a line of its own when it does not fit there.
void HelpEntry(std::string& out, std::string_view head, std::string_view text,
               std::string_view fallback = {})
{
    std::string line = "  " + std::string(head);
    line.resize(kTextColumn, ' ');
    bool lineHasText = false;
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        const std::string_view word = text.substr(0, space);
        text.remove_prefix(space == std::string_view::npos ? text.size() : space + 1);
        if (lineHasText && line.size() + 1 + word.size() > kHelpWidth) {
            out += line + '\n';
            line.assign(kTextColumn, ' ');
            lineHasText = false;
        }
        if (lineHasText) line += ' ';
        line += word;
        lineHasText = true;
    }
    if (!fallback.empty()) {
        const std::string value = "default " + std::string(fallback);
        if (line.size() > kDefaultColumn) {
            out += line + '\n';
            line.clear();
        }
        line.resize(kDefaultColumn, ' ');
        line += value;
    }
    out += line + '\n';
}

std::string FormatNames()
{
    return engine::NameList(engine::kFormats, [](const auto&) { return true; });
}

std::string SpaceNames()
{
    return engine::NameList(engine::kColorSpaces, [](const auto&) { return true; });
}

std::string TargetNames()
{
    return engine::NameList(engine::kTargets, [](const auto&) { return true; });
}

// "3000", "256 UTF-16 units", "-" for none.
std::string LimitText(const engine::TargetRow& row)
{
    if (row.limit == 0) return "-";
    std::string text = std::to_string(row.limit);
    if (row.unit == engine::LengthUnit::Utf16Units) text += " UTF-16 units";
    return text;
}

}  // namespace

std::string Usage()
{
    std::string help(kUsageHead);
    HelpEntry(help, "--space=NAME", "colour space of the steps: " + SpaceNames(),
              engine::kColorSpaces.front().name);
    std::string formats;
    for (const engine::FormatRow& row : engine::kFormats) {
        if (!formats.empty()) {
            formats += row.format == engine::kFormats.back().format ? " or " : ", ";
        }
        formats += row.name;
        if (!row.helpNote.empty()) formats += " (" + std::string(row.helpNote) + ")";
    }
    HelpEntry(help, "--format=NAME", "output syntax: " + formats, engine::kFormats.front().name);
    HelpEntry(help, "--fit=N",
              "at most N characters of output (not with " +
                  engine::NameList(engine::kFormats, [](const auto& row) { return !row.fits; }) +
                  ")");
    HelpEntry(help, "--target=NAME",
              "where the text goes: " + TargetNames() +
                  "; sets the format and fits to the place's length limit, counted as it counts "
                  "(not with --format; --fit overrides the limit)");
    HelpEntry(help, "--targets", "list the targets: name, caption, format, limit, then exit");
    help += kUsageMiddle;
    HelpEntry(help, "--face=NAME", "font face", engine::ToUtf8(engine::kDefaultFace));
    help += kUsageTail;
    for (const engine::OptionRow& row : engine::kOptions) {
        HelpEntry(help, "--" + std::string(row.flag), row.help);
    }
    help += kUsageEnd;
    return help;
}

std::string TargetList()
{
    std::string list;
    for (const engine::TargetRow& row : engine::kTargets) {
        list += std::string(row.name) + '\t' + std::string(row.caption) + '\t' +
                std::string(engine::OutputFormatName(row.format)) + '\t' + LimitText(row) + '\n';
    }
    return list;
}

namespace {

template <std::size_t N>
bool OneOf(const std::string_view (&names)[N], std::string_view name)
{
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

std::optional<std::int16_t> ParseInt16(std::string_view text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || value < -32768 || value > 32767) return std::nullopt;
    return static_cast<std::int16_t>(value);
}

bool IsColor(std::string_view text) { return engine::ReadStrictColor(text).has_value(); }

std::vector<std::string> SplitAtCommas(const std::string& text)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) return parts;
        start = comma + 1;
    }
}

using Error = std::optional<std::string>;

// Options whose value is kept as given; it is checked where it is used.
struct TextOption {
    std::string_view name;
    std::optional<std::string> CliRequest::*field;
};
constexpr std::array<TextOption, 8> kTextOptions{{
    {"first", &CliRequest::first},
    {"middle", &CliRequest::middle},
    {"last", &CliRequest::last},
    {"background", &CliRequest::background},
    {"face", &CliRequest::face},
    {"settings", &CliRequest::settingsFile},
    {"save-settings", &CliRequest::saveSettingsFile},
    {"page", &CliRequest::pageFile},
}};

// Options that take a whole number, held in 16 bits.
struct NumberOption {
    std::string_view name;
    std::optional<std::int16_t> CliRequest::*field;
};
constexpr std::array<NumberOption, 5> kNumberOptions{{
    {"colors", &CliRequest::colors},
    {"font-mode", &CliRequest::fontMode},
    {"base-size", &CliRequest::baseSize},
    {"max", &CliRequest::maxSize},
    {"min", &CliRequest::minSize},
}};

template <typename Option, std::size_t N>
const Option* FindOption(const std::array<Option, N>& options, std::string_view name)
{
    const auto found = std::find_if(options.begin(), options.end(),
                                    [&](const Option& option) { return option.name == name; });
    return found == options.end() ? nullptr : &*found;
}

Error SetNumber(std::optional<std::int16_t>& field, const std::string& name,
                const std::string& value)
{
    field = ParseInt16(value);
    if (field) return std::nullopt;
    return "--" + name + " takes a whole number from -32768 to 32767, not \"" + value + "\"";
}

// --format, --target and --space take a name from their table.
Error SetFormat(CliRequest& r, const std::string& value)
{
    r.format = engine::ParseOutputFormat(value);
    if (!r.format) {
        return "unknown format \"" + value + "\" (" + FormatNames() + ")";
    }
    return std::nullopt;
}

Error SetTarget(CliRequest& r, const std::string& value)
{
    r.target = engine::FindTarget(value);
    if (r.target == nullptr) return "unknown target \"" + value + "\" (" + TargetNames() + ")";
    return std::nullopt;
}

Error SetSpace(CliRequest& r, const std::string& value)
{
    r.space = engine::ParseColorSpace(value);
    if (!r.space) return "unknown colour space \"" + value + "\" (" + SpaceNames() + ")";
    return std::nullopt;
}

// The count is checked before the colours, and each colour on its own, so the message names
// what is wrong rather than refusing the whole list.
Error SetStops(CliRequest& r, const std::string& value)
{
    const std::vector<std::string> stops = SplitAtCommas(value);
    if (stops.size() < engine::kMinStops || stops.size() > engine::kMaxStops) {
        return "--stops takes 2 to 16 colours, not " + std::to_string(stops.size());
    }
    for (const std::string& stop : stops) {
        if (!IsColor(stop)) {
            return "--stops: \"" + stop + "\" is not a colour RRGGBB (six hex digits)";
        }
    }
    r.stops = engine::ParseStopList(value);
    if (!r.stops) return "--stops takes 2 to 16 colours RRGGBB, not \"" + value + "\"";
    return std::nullopt;
}

Error SetFit(CliRequest& r, const std::string& value)
{
    std::size_t n = 0;
    const char* end = value.data() + value.size();
    const auto [ptr, ec] = std::from_chars(value.data(), end, n);
    if (value.empty() || ec != std::errc() || ptr != end ||
        n > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return "--fit takes a number of characters, not \"" + value + "\"";
    }
    r.fit = n;
    return std::nullopt;
}

Error SetContrast(CliRequest& r, const std::string& value)
{
    if (!IsColor(value)) {
        return "--contrast takes a colour RRGGBB (six hex digits), not \"" + value + "\"";
    }
    const std::u16string color(value.begin(), value.end());  // six ASCII hex digits
    r.contrast = engine::ReadColorText(color);
    return std::nullopt;
}

// Options that need a value: --name=VALUE or --name VALUE.
Error SetValue(CliRequest& r, const std::string& name, const std::string& value)
{
    if (const TextOption* option = FindOption(kTextOptions, name)) {
        r.*(option->field) = value;
        return std::nullopt;
    }
    if (const NumberOption* option = FindOption(kNumberOptions, name)) {
        return SetNumber(r.*(option->field), name, value);
    }
    if (name == "format") return SetFormat(r, value);
    if (name == "target") return SetTarget(r, value);
    if (name == "space") return SetSpace(r, value);
    if (name == "stops") return SetStops(r, value);
    if (name == "fit") return SetFit(r, value);
    if (name == "contrast") return SetContrast(r, value);
    if (IsImageOption(name)) return SetImageValue(r.image, name, value);
    return "unknown option --" + name;
}

constexpr std::string_view kValueOptions[] = {
    "first",      "middle",  "last",      "background", "face",  "settings", "save-settings",
    "page",       "colors",  "font-mode", "base-size",  "max",   "min",      "format",
    "space",      "stops",   "fit",       "contrast",   "image", "px",       "scale",
    "image-back", "outline", "shadow",    "wrap",       "target"};

// Combinations that cannot be honoured.
Error CheckTogether(const CliRequest& r)
{
    if (r.stops && (r.first || r.middle || r.last || r.colors)) {
        return "--stops replaces --first, --middle, --last and --colors; give one or the other";
    }
    if (r.lines && r.pageFile) {
        return "--page writes the page of one text; it does not work with --lines";
    }
    if (r.lines && r.image.file) {
        return "--image draws one text; it does not work with --lines";
    }
    if (r.target != nullptr && r.format) {
        return "--format and --target cannot be given together: the target chooses the format";
    }
    if (r.fit && r.format && !engine::FormatSupportsFit(*r.format)) {
        return "--fit does not work with --format=" +
               std::string(engine::OutputFormatName(*r.format));
    }
    return CheckImage(r.image);
}

// The options that take no value and switch something on, or nothing for any other name.
bool* SwitchOf(CliRequest& r, const std::string& name)
{
    if (name == "help") return &r.help;
    if (name == "version") return &r.version;
    if (name == "print-settings") return &r.printSettings;
    if (name == "lines") return &r.lines;
    if (name == "targets") return &r.listTargets;
    if (name == "preview") return &r.preview;
    return nullptr;
}

// An on/off option of the table: on alone, or --name=N to store N as it is.
Error AddFlag(CliRequest& r, const engine::OptionRow& row, const std::string& name,
              const std::optional<std::string>& value)
{
    std::optional<std::int16_t> flag = 1;
    if (value) {
        if (Error error = SetNumber(flag, name, *value)) return error;
    }
    r.flags.emplace_back(row.field, *flag);
    return std::nullopt;
}

// A --name or --name=VALUE argument at args[i]. A value option without "=" takes the next
// argument as its value, and i moves past it.
Error ParseLongOption(CliRequest& r, const std::vector<std::string>& args, std::size_t& i)
{
    const std::string& arg = args[i];
    const auto eq = arg.find('=');
    const std::string name = arg.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
    std::optional<std::string> value;
    if (eq != std::string::npos) value = arg.substr(eq + 1);

    if (bool* on = SwitchOf(r, name)) {
        if (value) return "--" + name + " takes no value";
        *on = true;
        return std::nullopt;
    }
    if (const engine::OptionRow* row = engine::OptionOfFlag(name)) {
        return AddFlag(r, *row, name, value);
    }
    if (OneOf(kValueOptions, name)) {
        if (!value) {
            if (i + 1 == args.size()) {
                return "--" + name + " needs a value, as in --" + name + "=VALUE";
            }
            value = args[++i];
        }
        return SetValue(r, name, *value);
    }
    return "unknown option " + arg.substr(0, eq);
}

// The argument at args[i]: the TEXT, "--" (after which every argument is TEXT), -h, or a long
// option, which may take the next argument too.
Error ParseArgument(CliRequest& r, const std::vector<std::string>& args, std::size_t& i,
                    bool& onlyText)
{
    const std::string& arg = args[i];
    const bool option = !onlyText && arg.size() > 1 && arg[0] == '-';
    if (!option) {
        if (r.text) return "only one TEXT may be given (found \"" + arg + "\")";
        r.text = arg;
        return std::nullopt;
    }
    if (arg == "--") {
        onlyText = true;
        return std::nullopt;
    }
    if (arg == "-h") {
        r.help = true;
        return std::nullopt;
    }
    if (arg[1] != '-') {
        return "unknown option " + arg + " (a TEXT beginning with \"-\" goes after \"--\")";
    }
    return ParseLongOption(r, args, i);
}

}  // namespace

ParseOutcome ParseCommandLine(const std::vector<std::string>& args)
{
    CliRequest r;
    auto fail = [](std::string message) { return ParseOutcome{std::nullopt, std::move(message)}; };
    bool onlyText = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (Error error = ParseArgument(r, args, i, onlyText)) return fail(*error);
    }
    if (Error error = CheckTogether(r)) return fail(*error);
    return ParseOutcome{std::move(r), {}};
}

}  // namespace kelvara::cli
