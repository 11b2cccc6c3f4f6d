// SPDX-License-Identifier: MIT
// ReadMfm: the text read by Misskey's parser (tests/mfm/read_mfm.cjs under node).
#include "format_readers.h"
#include "node_reader.h"

namespace kelvara::engine::testing {

std::optional<std::vector<ColoredText>> ReadMfm(std::u16string_view text,
                                                std::vector<std::u16string>* wrappers)
{
    return ReadWithNode(KELVARA_MFM_READER, "", text, wrappers);
}

}  // namespace kelvara::engine::testing
