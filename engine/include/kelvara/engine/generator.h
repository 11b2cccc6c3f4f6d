// SPDX-License-Identifier: MIT
// The gradient tag generator: one FONT element per character, colours stepping between the
// first, (middle,) and last colour, sizes growing or shrinking, wrapped in the style elements.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "kelvara/engine/tag_options.h"

namespace kelvara::engine {

class CharacterText;

enum class ColorSlot { First, Middle, Last };

// Where a run reads its colour texts; asked afresh at the start of every colour segment.
class ColorSource {
public:
    virtual ~ColorSource() = default;
    [[nodiscard]] virtual std::u16string ColorText(ColorSlot slot) const = 0;
};

class FixedColors final : public ColorSource {
public:
    FixedColors(std::u16string first, std::u16string middle, std::u16string last);
    [[nodiscard]] std::u16string ColorText(ColorSlot slot) const override;

private:
    std::u16string m_first;
    std::u16string m_middle;
    std::u16string m_last;
};

// Receives the result as it grows. The owner may replace its text in the middle of a run;
// the run then goes on appending to whatever the sink holds.
class TagSink {
public:
    virtual ~TagSink() = default;
    virtual void Reset() = 0;
    virtual void Append(std::u16string_view piece) = 0;
    // A finished run: the text becomes open + text + close.
    virtual void Wrap(std::u16string_view open, std::u16string_view close) = 0;
    // A streaming sink receives the opening text through Append before the first character
    // and the closing text after the last one, and Wrap is never called.
    [[nodiscard]] virtual bool Streams() const { return false; }
};

// Base for sinks that write the result out as it is made (a file, a pipe).
class StreamingSink : public TagSink {
public:
    void Reset() override {}
    void Wrap(std::u16string_view /*open*/, std::u16string_view /*close*/) final {}
    [[nodiscard]] bool Streams() const final { return true; }
};

class StringSink final : public TagSink {
public:
    void Reset() override { m_text.clear(); }
    void Append(std::u16string_view piece) override { m_text.append(piece); }
    void Wrap(std::u16string_view open, std::u16string_view close) override;
    [[nodiscard]] const std::u16string& Text() const { return m_text; }
    std::u16string& Text() { return m_text; }

private:
    std::u16string m_text;
};

// Called before every character but the first of a colour segment.
class RunHook {
public:
    virtual ~RunHook() = default;
    // remaining: characters left after this one; total: characters in the text.
    // Returns false to stop the run before this character is emitted.
    virtual bool Continue(int remaining, int total) = 0;
};

enum class RunOutcome { Refused, Stopped, Completed };

inline constexpr std::size_t kMaxCharacters = 32767;

// The message for a text that cannot be run with these options, or nothing when it can.
std::optional<std::u16string> CheckLength(const TagOptions& options, std::size_t characters);

// The run after the length check: wrappers, segments, characters, completion.
// The text must have passed CheckLength.
RunOutcome RunSegments(const TagOptions& options, const CharacterText& text,
                       const ColorSource& colors, TagSink& sink, RunHook* hook);

struct GenerateResult {
    RunOutcome outcome = RunOutcome::Refused;
    std::u16string tags;     // the result (partial without wrappers when stopped)
    std::u16string message;  // the refusal message when refused
};

// A whole run into a string: reset, length check, segments.
GenerateResult Generate(const TagOptions& options, std::u16string_view text,
                        const ColorSource& colors, RunHook* hook = nullptr);

}  // namespace kelvara::engine
