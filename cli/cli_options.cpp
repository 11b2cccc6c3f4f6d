// Parsing the options of kelvara-gen.
#include "cli_options.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace kelvara::cli {

const char* const kUsage =
    "Usage: kelvara-gen [OPTION]... [TEXT]\n"
    "Turn TEXT into HTML gradient text: one FONT element per character.\n"
    "\n"
    "  TEXT                 the text to convert, UTF-8; \"-\" or no TEXT: standard input\n"
    "                       (one trailing newline removed)\n"
    "  --first=RRGGBB       first colour                            default FF0000\n"
    "  --middle=RRGGBB      middle colour                           default 00FF00\n"
    "  --last=RRGGBB        last colour                             default 0000FF\n"
    "  --colors=N           number of colours, 2 or 3               default 2\n"
    "  --font-mode=N        0 fixed size, 1/2 HTML sizes down/up,\n"
    "                       3/4 pixel sizes down/up                 default 0\n"
    "  --base-size=N        HTML size for font mode 0               default 3\n"
    "  --face=NAME          font face                               default MS Pゴシック\n"
    "  --max=N --min=N      pixel sizes for font modes 3 and 4      default 0, 0\n"
    "  --center --bold --italic --strike --sub --sup --underline --marquee --blink\n"
    "  --vertical           set that option; --bold=N etc. store N\n"
    "  --settings=FILE      load text, colours and options from a Lum.ini settings file\n"
    "                       (without TEXT the file's text is converted); options given\n"
    "                       here override it\n"
    "  --print-settings     print every value after loading and overrides, then exit\n"
    "  --save-settings=FILE write every value to FILE (created or updated), then exit\n"
    "  --background=RRGGBB  background colour for --page            default FFFFFF\n"
    "  --page=FILE          also write the preview page to FILE\n"
    "  --help               show this help and exit\n"
    "  --version            show the version and exit\n"
    "\n"
    "Exit status: 0 done, 1 text refused or a file could not be read or written,\n"
    "2 wrong usage.\n";

namespace {

constexpr std::string_view kFlagNames[] = {"center", "bold",      "italic",  "strike", "sub",
                                           "sup",    "underline", "marquee", "blink",  "vertical"};

std::optional<std::int16_t> ParseInt16(std::string_view text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || value < -32768 || value > 32767) return std::nullopt;
    return static_cast<std::int16_t>(value);
}

}  // namespace

ParseOutcome ParseCommandLine(const std::vector<std::string>& args)
{
    CliRequest r;
    auto fail = [](std::string message) { return ParseOutcome{std::nullopt, std::move(message)}; };
    bool onlyText = false;
    for (const std::string& arg : args) {
        if (onlyText || arg == "-" || !arg.starts_with("--")) {
            if (r.text) return fail("only one TEXT may be given (found \"" + arg + "\")");
            r.text = arg;
            continue;
        }
        if (arg == "--") {
            onlyText = true;
            continue;
        }
        const auto eq = arg.find('=');
        const std::string name =
            arg.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
        const std::optional<std::string> value =
            eq == std::string::npos ? std::nullopt : std::optional<std::string>(arg.substr(eq + 1));

        auto number = [&](std::optional<std::int16_t>& field) -> std::optional<std::string> {
            if (!value) return "--" + name + " needs a value, as in --" + name + "=3";
            field = ParseInt16(*value);
            if (field) return std::nullopt;
            return "--" + name + " takes a whole number from -32768 to 32767, not \"" + *value +
                   "\"";
        };
        auto text = [&](std::optional<std::string>& field) -> std::optional<std::string> {
            if (!value) return "--" + name + " needs a value, as in --" + name + "=...";
            field = *value;
            return std::nullopt;
        };

        std::optional<std::string> error;
        if (name == "help" && !value) {
            r.help = true;
        } else if (name == "version" && !value) {
            r.version = true;
        } else if (name == "print-settings" && !value) {
            r.printSettings = true;
        } else if (name == "first") {
            error = text(r.first);
        } else if (name == "middle") {
            error = text(r.middle);
        } else if (name == "last") {
            error = text(r.last);
        } else if (name == "background") {
            error = text(r.background);
        } else if (name == "face") {
            error = text(r.face);
        } else if (name == "settings") {
            error = text(r.settingsFile);
        } else if (name == "save-settings") {
            error = text(r.saveSettingsFile);
        } else if (name == "page") {
            error = text(r.pageFile);
        } else if (name == "colors") {
            error = number(r.colors);
        } else if (name == "font-mode") {
            error = number(r.fontMode);
        } else if (name == "base-size") {
            error = number(r.baseSize);
        } else if (name == "max") {
            error = number(r.maxSize);
        } else if (name == "min") {
            error = number(r.minSize);
        } else if (std::find(std::begin(kFlagNames), std::end(kFlagNames), name) !=
                   std::end(kFlagNames)) {
            std::optional<std::int16_t> flag = 1;
            if (value) error = number(flag);
            if (!error) r.flags.emplace_back(name, *flag);
        } else {
            error = "unknown option " + arg;
        }
        if (error) return fail(*error);
    }
    return ParseOutcome{r, {}};
}

}  // namespace kelvara::cli
