// A generator run written out as it is produced: the opening text first, then every
// character's element as the generator makes it, then the closing text.
#pragma once

#include <string_view>

#include "kelvara/engine/generator.h"
#include "utf8_writer.h"

namespace kelvara::cli {

// Hands every piece of a run straight to the UTF-8 writer.
class Utf8StreamSink final : public engine::StreamingSink {
public:
    explicit Utf8StreamSink(Utf8Writer& out) : m_out(out) {}
    void Append(std::u16string_view piece) override { m_out.Write(piece); }

private:
    Utf8Writer& m_out;
};

}  // namespace kelvara::cli
