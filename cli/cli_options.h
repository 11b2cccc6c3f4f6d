// SPDX-License-Identifier: MIT
// The command line of kelvara-gen, parsed into a request.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "image_options.h"
#include "kelvara/engine/color.h"
#include "kelvara/engine/output_format.h"
#include "kelvara/engine/tag_options.h"
#include "kelvara/engine/targets.h"

namespace kelvara::cli {

// An option given on the command line overrides the settings file; unset ones do not.
struct CliRequest {
    std::optional<std::string> text;  // UTF-8; "-" means standard input
    std::optional<std::string> first;
    std::optional<std::string> middle;
    std::optional<std::string> last;
    std::optional<std::string> background;
    std::optional<std::string> face;
    std::optional<std::int16_t> colors;
    std::optional<std::int16_t> fontMode;
    std::optional<std::int16_t> baseSize;
    std::optional<std::int16_t> maxSize;
    std::optional<std::int16_t> minSize;
    // The on/off options of engine::kOptions by field, with their values, in the order given.
    std::vector<std::pair<std::int16_t engine::TagOptions::*, std::int16_t>> flags;
    std::optional<std::string> settingsFile;
    std::optional<std::string> saveSettingsFile;
    std::optional<std::string> pageFile;
    // Output syntax, colour stops and space, length limit, contrast report.
    std::optional<engine::OutputFormat> format;
    std::optional<std::vector<engine::Rgb>> stops;
    std::optional<engine::ColorSpace> space;
    std::optional<std::size_t> fit;  // most code points of output
    std::optional<engine::Rgb> contrast;
    const engine::TargetRow* target = nullptr;  // sets the format and the limit
    ImageRequest image;                         // a picture instead of text
    bool lines = false;                         // every input line a text of its own
    bool printSettings = false;
    bool listTargets = false;
    bool preview = false;  // write what a browser shows instead of the format itself
    bool help = false;
    bool version = false;
};

struct ParseOutcome {
    std::optional<CliRequest> request;
    std::string error;  // set when request is empty
};

ParseOutcome ParseCommandLine(const std::vector<std::string>& args);

// The text of --help.
std::string Usage();

// The text of --targets: every target's name, caption, format and limit, one a line.
std::string TargetList();

}  // namespace kelvara::cli
