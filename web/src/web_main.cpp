// SPDX-License-Identifier: MIT
// The module's entry points for the page (exported by name at link time): kelvara-gen's run
// and picture over the module's heap, UTF-8 arguments and input in, exit status, standard
// output and standard error out; and the engine's tables as JSON.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "browser_picture.h"
#include "browser_run.h"
#include "browser_tables.h"

extern "C" {

// What a run gave, valid until the next call; the page reads it through the heap.
struct KelvaraWebResult {
    std::int32_t status;
    const char* out;
    std::uint32_t outLength;
    const char* err;
    std::uint32_t errLength;
};

const KelvaraWebResult* kelvara_run(const char* args, std::uint32_t argsLength, const char* input,
                                    std::uint32_t inputLength);
const KelvaraWebResult* kelvara_picture(const char* args, std::uint32_t argsLength,
                                        const char* input, std::uint32_t inputLength);
const char* kelvara_tables();
const char* kelvara_picture_too_large(double width, double height);
}

namespace {

using kelvara::web::BrowserResult;

// The arguments, each ended by a NUL byte.
std::vector<std::string> SplitArguments(const char* args, std::uint32_t length)
{
    std::vector<std::string> out;
    std::string_view rest(args, length);
    while (!rest.empty()) {
        const std::size_t end = rest.find('\0');
        out.emplace_back(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    return out;
}

const KelvaraWebResult* Hand(BrowserResult result)
{
    static BrowserResult held;
    static KelvaraWebResult view;
    held = std::move(result);
    view = {held.status, held.out.data(), static_cast<std::uint32_t>(held.out.size()),
            held.err.data(), static_cast<std::uint32_t>(held.err.size())};
    return &view;
}

}  // namespace

const KelvaraWebResult* kelvara_run(const char* args, std::uint32_t argsLength, const char* input,
                                    std::uint32_t inputLength)
{
    return Hand(kelvara::web::RunInBrowser(SplitArguments(args, argsLength),
                                           std::string_view(input, inputLength)));
}

const KelvaraWebResult* kelvara_picture(const char* args, std::uint32_t argsLength,
                                        const char* input, std::uint32_t inputLength)
{
    return Hand(kelvara::web::PictureInBrowser(SplitArguments(args, argsLength),
                                               std::string_view(input, inputLength)));
}

const char* kelvara_tables()
{
    static const std::string tables = kelvara::web::TablesJson();
    return tables.c_str();
}

const char* kelvara_picture_too_large(double width, double height)
{
    static std::string message;
    message = kelvara::web::TooLargeMessage(static_cast<std::int64_t>(width),
                                            static_cast<std::int64_t>(height));
    return message.c_str();
}
