// The generator's sink for kelvara-gen: pieces go straight to the UTF-8 writer.
#include "tag_stream.h"

#include "kelvara/engine/characters.h"

namespace kelvara::cli {
namespace {

// Keeps the wrappers a run hands over at its end.
class WrapperProbe final : public engine::TagSink {
public:
    void Reset() override {}
    void Append(std::u16string_view /*piece*/) override {}
    void Wrap(std::u16string_view open, std::u16string_view close) override
    {
        m_open = open;
        m_close = close;
    }
    std::u16string m_open;
    std::u16string m_close;
};

// The generator hands the wrappers over only when a run completes; they depend on the
// options alone, so a run over the shortest text every colour count accepts yields them
// before the real run starts.
WrapperProbe ProbeWrappers(const engine::TagOptions& options, const engine::ColorSource& colors)
{
    WrapperProbe probe;
    const engine::CharacterText shortest(u"abc");
    engine::RunSegments(options, shortest, colors, probe, nullptr);
    return probe;
}

// Writes the opening tags before the first piece and only the closing tags at the end.
class StreamSink final : public engine::TagSink {
public:
    explicit StreamSink(Utf8Writer& out) : m_out(out) {}
    void Reset() override {}
    void Append(std::u16string_view piece) override { m_out.Write(piece); }
    void Wrap(std::u16string_view /*open*/, std::u16string_view close) override
    {
        m_out.Write(close);
    }

private:
    Utf8Writer& m_out;
};

}  // namespace

std::optional<std::u16string> StreamTags(const engine::TagOptions& options,
                                         std::u16string_view text,
                                         const engine::ColorSource& colors, Utf8Writer& out)
{
    const engine::CharacterText characters(text);
    if (auto message = engine::CheckLength(options, characters.size())) return message;
    out.Write(ProbeWrappers(options, colors).m_open);
    StreamSink sink(out);
    engine::RunSegments(options, characters, colors, sink, nullptr);
    return std::nullopt;
}

}  // namespace kelvara::cli
