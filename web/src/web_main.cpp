// SPDX-License-Identifier: MIT
// The module's entry points for the page: kelvara-gen's run and picture over the module's heap
// (UTF-8 arguments and input in, exit status, standard output and standard error out), and
// the engine's tables as JSON.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <string>
#include <vector>

#include "browser_run.h"
#include "browser_tables.h"

namespace {

// What the last call gave; the page reads it before its next call.
struct Held {
    kelvara::web::BrowserResult result;
    std::string tables;
};
Held& Last()
{
    static Held held;
    return held;
}

}  // namespace

extern "C" {

struct KelvaraWebResult {
    std::int32_t status;
    const char* out;
    std::uint32_t outLength;
    const char* err;
    std::uint32_t errLength;
};

namespace {

// The arguments, each ended by a NUL byte.
std::vector<std::string> SplitArguments(const char* args, std::uint32_t length)
{
    std::vector<std::string> out;
    std::string current;
    for (std::uint32_t i = 0; i < length; ++i) {
        if (args[i] == '\0') {
            out.push_back(std::move(current));
            current.clear();
        } else {
            current += args[i];
        }
    }
    return out;
}

const KelvaraWebResult* Hand(kelvara::web::BrowserResult result)
{
    static KelvaraWebResult view;
    Last().result = std::move(result);
    const kelvara::web::BrowserResult& r = Last().result;
    view = {r.status, r.out.data(), static_cast<std::uint32_t>(r.out.size()), r.err.data(),
            static_cast<std::uint32_t>(r.err.size())};
    return &view;
}

}  // namespace

EMSCRIPTEN_KEEPALIVE const KelvaraWebResult* kelvara_run(const char* args, std::uint32_t argsLength,
                                                         const char* input,
                                                         std::uint32_t inputLength)
{
    return Hand(kelvara::web::RunInBrowser(SplitArguments(args, argsLength),
                                           std::string_view(input, inputLength)));
}

EMSCRIPTEN_KEEPALIVE const KelvaraWebResult* kelvara_picture(const char* args,
                                                             std::uint32_t argsLength,
                                                             const char* input,
                                                             std::uint32_t inputLength)
{
    return Hand(kelvara::web::PictureInBrowser(SplitArguments(args, argsLength),
                                               std::string_view(input, inputLength)));
}

EMSCRIPTEN_KEEPALIVE const char* kelvara_tables()
{
    if (Last().tables.empty()) Last().tables = kelvara::web::TablesJson();
    return Last().tables.c_str();
}

}  // extern "C"
