// SPDX-License-Identifier: MIT
// One run in any output format: chooses the classic or the gradient walk, checks the length,
// groups characters into runs when the output must fit a limit, and streams the chosen
// writer's output into the sink, calling the run hook as the classic run does.
#include <algorithm>
#include <cmath>
#include <span>
#include <utility>

#include "amp_hex_writer.h"
#include "chat_writers.h"
#include "classic_run.h"
#include "discord_writer.h"
#include "font_writer.h"
#include "html_writers.h"
#include "kelvara/engine/characters.h"
#include "kelvara/engine/output_format.h"
#include "kelvara/engine/run_plan.h"
#include "latex_writer.h"
#include "length_check.h"
#include "plan.h"
#include "text_writers.h"
#include "wikidot_writer.h"
#include "writer_support.h"

namespace kelvara::engine {

using detail::PlannedCharacter;

struct FormattedRun::State {
    State(const TagOptions& o, const OutputOptions& out, const CharacterText& t,
          const ColorSource& c)
        : options(&o), output(out), text(t), colors(&c)
    {
    }

    const TagOptions* options;  // the caller's, or ownOptions
    // A copy whose h_ColorCount follows explicit stops on the classic walk.
    std::unique_ptr<TagOptions> ownOptions;
    OutputOptions output;
    const CharacterText& text;
    const ColorSource* colors;
    std::unique_ptr<FixedColors> stopColors;  // explicit stops for the classic walk
    bool classic = true;
    std::unique_ptr<Gradient> gradient;  // the gradient walk's stops and space
    std::vector<Rgb> gradientStops;
    RunReport report;
    bool refused = false;
    // A fitted output: the first character of every run, then the text's length.
    std::vector<std::size_t> runStarts;
    std::vector<PlannedCharacter> plan;  // kept only while fitting and for fitted runs
    // The only colours the output can show; empty: any.
    std::span<const Rgb> palette;

    template <class Emit>
    RunOutcome Walk(RunHook* hook, Emit&& emit) const
    {
        if (!palette.empty()) {
            // Each character takes the nearest colour of the palette; neighbours mostly share
            // their colour, so the last one found is kept.
            Rgb from{-1, -1, -1};
            Rgb to;
            return WalkAll(hook, [&](PlannedCharacter c) {
                if (!(c.color == from)) {
                    from = c.color;
                    to = palette[NearestInOkLab(palette, c.color)];
                }
                c.color = to;
                emit(c);
            });
        }
        return WalkAll(hook, std::forward<Emit>(emit));
    }

    template <class Emit>
    RunOutcome WalkAll(RunHook* hook, Emit&& emit) const
    {
        if (classic) {
            return detail::WalkClassic(*options, text.size(), *colors, hook,
                                       std::forward<Emit>(emit));
        }
        return detail::WalkGradient(*options, text.size(), *gradient, hook,
                                    std::forward<Emit>(emit));
    }

    void CheckContrast(std::size_t index, const Rgb& color)
    {
        const double ratio = ContrastRatio(color, *output.contrastBackground);
        if (ratio < kMinimumContrast) {
            report.lowContrast.push_back(
                LowContrast{index + 1, std::u16string(text[index]), color, ratio});
        }
    }

    // The colour fields in use: first, the middle one with three colours, last.
    [[nodiscard]] std::vector<Rgb> FieldColors() const
    {
        std::vector<Rgb> stops{ReadColorText(colors->ColorText(ColorSlot::First))};
        if (options->h_ColorCount == 3) {
            stops.push_back(ReadColorText(colors->ColorText(ColorSlot::Middle)));
        }
        stops.push_back(ReadColorText(colors->ColorText(ColorSlot::Last)));
        return stops;
    }

    [[nodiscard]] std::vector<Rgb> GradientSamples() const;
    [[nodiscard]] const PlannedCharacter& Representative(std::size_t run) const
    {
        const std::size_t first = runStarts[run];
        return plan[first + (runStarts[run + 1] - first - 1) / 2];
    }
    void Group(std::size_t runs);
    [[nodiscard]] std::vector<Rgb> RunColors() const
    {
        std::vector<Rgb> out;
        for (std::size_t r = 0; r + 1 < runStarts.size(); ++r) {
            out.push_back(Representative(r).color);
        }
        return out;
    }

    // The length of `written` as the limit counts it.
    [[nodiscard]] std::size_t Count(std::u16string_view written) const
    {
        return output.fitUnit == LengthUnit::Utf16Units ? written.size()
                                                        : detail::CodePoints(written);
    }
    template <class Writer>
    void NoteSizes(const Writer& writer);
    template <class Writer>
    std::size_t Length(Writer writer, bool grouped);
    template <class Writer>
    std::size_t FittingCharacters(Writer writer, std::size_t limit);
    template <class Writer>
    void Fit(const Writer& writer, std::size_t limit);
    template <class Writer>
    RunOutcome Write(Writer& writer, TagSink& sink, RunHook* hook);
    template <class Function>
    decltype(auto) WithWriter(Function&& function);
};

namespace {

// Widens `worst` to the distance between the RGB blend of a and b at u and the target.
void Blend(const Rgb& a, const Rgb& b, double u, const Rgb& target, double& worst)
{
    const double red = a.red + (b.red - a.red) * u;
    const double green = a.green + (b.green - a.green) * u;
    const double blue = a.blue + (b.blue - a.blue) * u;
    worst = std::max({worst, std::abs(red - target.red), std::abs(green - target.green),
                      std::abs(blue - target.blue)});
}

}  // namespace

// Enough evenly spaced samples of the gradient that a browser's RGB interpolation between
// them, once rounded, stays within 2 per channel of every character's colour: the blend of
// two samples must lie less than 2.5 from it (2.4 leaves room for the browser's arithmetic).
// Long texts are checked on a fine grid of positions instead of every character. The
// samples always include the stops, where the colour turns; clipping to the sRGB gamut
// makes further bends, so a gradient may need many samples, but never more than characters:
// with one sample per character every colour is exact.
std::vector<Rgb> FormattedRun::State::GradientSamples() const
{
    constexpr std::size_t kGrid = 1024;
    constexpr double kTolerance = 2.4;
    const std::size_t n = text.size();
    const std::size_t points = std::max<std::size_t>(1, std::min(n, kGrid));
    std::vector<double> at(points);
    std::vector<Rgb> target(points);
    for (std::size_t i = 0; i < points; ++i) {
        at[i] = points > 1 ? static_cast<double>(i) / static_cast<double>(points - 1) : 0.0;
        target[i] = gradient->At(at[i]);
    }
    const std::size_t segments = std::max<std::size_t>(1, gradient->Stops().size() - 1);
    const std::size_t most = std::max(segments + 1, n);
    auto sample = [&](std::size_t m) {
        std::vector<Rgb> samples;
        for (std::size_t j = 0; j < m; ++j) {
            samples.push_back(gradient->At(static_cast<double>(j) / static_cast<double>(m - 1)));
        }
        return samples;
    };
    auto closeEnough = [&](const std::vector<Rgb>& samples) {
        const std::size_t m = samples.size();
        double worst = 0;
        for (std::size_t i = 0; i < points && worst <= kTolerance; ++i) {
            const double position = at[i] * static_cast<double>(m - 1);
            const auto j = std::min(static_cast<std::size_t>(position), m - 2);
            Blend(samples[j], samples[j + 1], position - static_cast<double>(j), target[i], worst);
        }
        return worst <= kTolerance;
    };
    // m = segments * q + 1 samples: q doubles until the blend is close enough, then the
    // smallest q that is is searched between the last two.
    auto count = [&](std::size_t q) { return std::min(most, segments * q + 1); };
    std::vector<Rgb> best = sample(count(1));
    if (closeEnough(best)) return best;
    std::size_t low = 1;  // not close enough
    std::size_t high = 2;
    while (true) {
        best = sample(count(high));
        if (count(high) == most || closeEnough(best)) break;
        low = high;
        high *= 2;
    }
    while (high - low > 1) {
        const std::size_t middle = low + (high - low) / 2;
        std::vector<Rgb> samples = sample(count(middle));
        if (closeEnough(samples)) {
            high = middle;
            best = std::move(samples);
        } else {
            low = middle;
        }
    }
    return best;
}

void FormattedRun::State::Group(std::size_t runs)
{
    const std::size_t n = text.size();
    runStarts.clear();
    for (std::size_t r = 0; r <= runs; ++r) runStarts.push_back(r * n / runs);
}

// Code points of the whole output: one unit per character, or the current grouping.
template <class Writer>
std::size_t FormattedRun::State::Length(Writer writer, bool grouped)
{
    std::u16string scratch;
    std::size_t total = 0;
    if (grouped) writer.UseRunColors(RunColors());
    writer.Open(scratch);
    writer.Close(scratch);
    total += Count(scratch);
    const std::size_t units = grouped ? runStarts.size() - 1 : plan.size();
    for (std::size_t u = 0; u < units; ++u) {
        scratch.clear();
        if (grouped) {
            writer.Unit(scratch, Representative(u), text, runStarts[u], runStarts[u + 1], u == 0);
        } else {
            writer.Unit(scratch, plan[u], text, u, u + 1, u == 0);
        }
        total += Count(scratch);
    }
    return total;
}

// How many characters from the start of the text fit in `limit` as one run.
template <class Writer>
std::size_t FormattedRun::State::FittingCharacters(Writer writer, std::size_t limit)
{
    writer.UseRunColors(RunColors());
    // Each measure is a first unit: a writer that remembers what it wrote starts afresh.
    auto length = [&](std::size_t characters) {
        std::u16string scratch;
        writer.Open(scratch);
        writer.Close(scratch);
        if (characters > 0) writer.Unit(scratch, Representative(0), text, 0, characters, true);
        return Count(scratch);
    };
    // The length grows with the characters: the most that still fit.
    std::size_t low = 0;
    std::size_t high = text.size();
    while (low < high) {
        const std::size_t middle = low + (high - low + 1) / 2;
        if (length(middle) <= limit) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low;
}

// As many runs as fit in `limit` code points; refused when not even one run fits.
template <class Writer>
void FormattedRun::State::Fit(const Writer& writer, std::size_t limit)
{
    plan.reserve(text.size());
    Walk(nullptr, [this](const PlannedCharacter& c) { plan.push_back(c); });
    const std::size_t n = plan.size();
    const std::size_t unfitted = Length(writer, false);
    if (unfitted <= limit) {
        plan.clear();
        return;
    }
    // A single gradient never gets more stops than it had before fitting.
    const std::size_t most =
        (RowOf(output.format).oneGradient ? std::min(n, gradientStops.size()) : n) - 1;
    Group(1);
    const std::size_t single = Length(writer, true);
    if (single > limit) {
        refused = true;
        report.fitNeeded = std::min(unfitted, single);
        report.fitCharacters = FittingCharacters(writer, limit);
        runStarts.clear();
        plan.clear();
        return;
    }
    // The length grows with the number of runs: the largest count that still fits.
    std::size_t low = 1;
    std::size_t high = std::max<std::size_t>(1, most);
    while (low < high) {
        const std::size_t middle = low + (high - low + 1) / 2;
        Group(middle);
        if (Length(writer, true) <= limit) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    Group(low);
}

// A writer that shows sizes only within a range writes the others as the nearest it shows;
// the report says so when any planned size (of a run, when fitted) lies outside.
template <class Writer>
void FormattedRun::State::NoteSizes(const Writer& writer)
{
    if constexpr (requires { writer.ShownSizes(); }) {
        const std::optional<SizeRange> shown = writer.ShownSizes();
        if (!shown) return;
        // The running size moves one way only, from its start to its end: sizes that stay
        // well inside the range need no walk.
        const detail::SizeSteps size(*options, text.size());
        const double move = size.dz * static_cast<double>(text.size() - 1);
        const double end = size.z + (detail::GrowsSmaller(options->h_fontflag) ? -move : move);
        if (std::min(size.z, end) - 1 >= static_cast<double>(shown->least) &&
            std::max(size.z, end) + 1 <= static_cast<double>(shown->most)) {
            return;
        }
        bool outside = false;
        auto check = [&](const PlannedCharacter& c) {
            outside = outside || c.size < shown->least || c.size > shown->most;
        };
        if (runStarts.empty()) {
            Walk(nullptr, check);
        } else {
            for (std::size_t r = 0; r + 1 < runStarts.size(); ++r) check(Representative(r));
        }
        if (outside) report.sizesKeptWithin = shown;
    }
}

namespace detail {

// The refusal of the writer of `format` for a text it cannot write (a static Refusal of the
// writer), found without making the writer.
template <std::size_t Row = 0>
std::optional<std::u16string> WriterRefusal(OutputFormat format, const CharacterText& text)
{
    if (format == kFormats[Row].format) {
        using Writer =
            decltype(WriterFor<kFormats[Row].format>::Make(std::declval<const WriterInput&>()));
        if constexpr (requires { Writer::Refusal(text); }) {
            return Writer::Refusal(text);
        } else {
            return std::nullopt;
        }
    }
    if constexpr (Row + 1 < kFormats.size()) {
        return WriterRefusal<Row + 1>(format, text);
    } else {
        return std::nullopt;
    }
}

// The opening text for a streaming sink, the units that `units` appends through `piece`, then
// the closing text, or Wrap for a sink that keeps today's semantics.
template <class Writer, class Units>
RunOutcome Stream(const Writer& writer, TagSink& sink, Units&& units)
{
    std::u16string piece;
    piece.reserve(128);
    if (sink.Streams()) {
        writer.Open(piece);
        sink.Append(piece);
    }
    const RunOutcome outcome = units(piece);
    if (outcome != RunOutcome::Completed) return outcome;

    std::u16string close;
    writer.Close(close);
    if (sink.Streams()) {
        sink.Append(close);
    } else {
        std::u16string open;
        writer.Open(open);
        sink.Wrap(open, close);
    }
    return outcome;
}

RunOutcome RunClassicFont(const TagOptions& options, const CharacterText& text,
                          const ColorSource& colors, TagSink& sink, RunHook* hook)
{
    const FontWriter writer(options);
    return Stream(writer, sink, [&](std::u16string& piece) {
        bool first = true;
        return WalkClassic(options, text.size(), colors, hook, [&](const PlannedCharacter& c) {
            piece.clear();
            writer.Unit(piece, c, text, c.index, c.index + 1, first);
            first = false;
            sink.Append(piece);
        });
    });
}

}  // namespace detail

template <class Writer>
RunOutcome FormattedRun::State::Write(Writer& writer, TagSink& sink, RunHook* hook)
{
    const bool contrast = output.contrastBackground.has_value();
    report.lowContrast.clear();
    report.runs = 0;
    if (!runStarts.empty()) writer.UseRunColors(RunColors());

    return detail::Stream(writer, sink, [&](std::u16string& piece) {
        if (runStarts.empty()) {
            bool first = true;
            return Walk(hook, [&](const PlannedCharacter& c) {
                piece.clear();
                writer.Unit(piece, c, text, c.index, c.index + 1, first);
                first = false;
                sink.Append(piece);
                ++report.runs;
                if (contrast) CheckContrast(c.index, c.color);
            });
        }
        const std::size_t n = text.size();
        for (std::size_t r = 0; r + 1 < runStarts.size(); ++r) {
            const std::size_t end = runStarts[r + 1];
            if (r > 0 && !detail::Continue(hook, end - 1, n)) return RunOutcome::Stopped;
            const PlannedCharacter& look = Representative(r);
            piece.clear();
            writer.Unit(piece, look, text, runStarts[r], end, r == 0);
            sink.Append(piece);
            ++report.runs;
            if (contrast) {
                for (std::size_t i = runStarts[r]; i < end; ++i) CheckContrast(i, look.color);
            }
        }
        return RunOutcome::Completed;
    });
}

namespace detail {

// Makes the writer of `format` and hands it to `function`; the rows are searched at compile
// time, so every row needs a WriterFor.
template <std::size_t Row = 0, class Function>
decltype(auto) WithWriterOf(OutputFormat format, const WriterInput& in, Function&& function)
{
    if constexpr (Row + 1 < kFormats.size()) {
        if (format != kFormats[Row].format) {
            return WithWriterOf<Row + 1>(format, in, std::forward<Function>(function));
        }
    }
    auto writer = WriterFor<kFormats[Row].format>::Make(in);
    return function(writer);
}

}  // namespace detail

template <class Function>
decltype(auto) FormattedRun::State::WithWriter(Function&& function)
{
    const detail::WriterInput in{*options, text, gradientStops};
    return detail::WithWriterOf(output.format, in, std::forward<Function>(function));
}

FormattedRun::FormattedRun(const TagOptions& options, const OutputOptions& output,
                           const CharacterText& text, const ColorSource& colors)
    : m_state(std::make_unique<State>(options, output, text, colors))
{
    State& s = *m_state;
    const std::size_t stopCount = output.stops.size();
    s.classic =
        output.space == ColorSpace::Rgb && (stopCount == 0 || stopCount == 2 || stopCount == 3);
    if (s.classic && stopCount != 0) {
        // Explicit stops on the classic walk: exactly the colour fields with that many colours.
        const auto& st = output.stops;
        s.ownOptions = std::make_unique<TagOptions>(options);
        s.ownOptions->h_ColorCount = static_cast<std::int16_t>(stopCount);
        s.options = s.ownOptions.get();
        auto text6 = [](const Rgb& c) { return ComposeColorText(c.red, c.green, c.blue); };
        s.stopColors = std::make_unique<FixedColors>(
            text6(st.front()), stopCount == 3 ? text6(st[1]) : std::u16string(), text6(st.back()));
        s.colors = s.stopColors.get();
    }

    auto message =
        s.classic ? CheckLength(*s.options, text.size()) : detail::CheckGradientLength(text.size());
    if (!message) message = detail::WriterRefusal(output.format, text);
    if (message) {
        s.report.message = std::move(*message);
        s.refused = true;
        return;
    }
    s.report.notes = OmittedOptions(*s.options, output.format);
    s.palette = RowOf(output.colorsOf.value_or(output.format)).palette;

    if (!s.classic) {
        const std::vector<Rgb> stops = stopCount != 0 ? output.stops : s.FieldColors();
        s.gradient = std::make_unique<Gradient>(stops, output.space);
    }
    if (RowOf(output.format).oneGradient) {
        if (!s.classic && output.space != ColorSpace::Rgb) {
            s.gradientStops = s.GradientSamples();
        } else {
            s.gradientStops = stopCount != 0 ? output.stops : s.FieldColors();
        }
    }
    if (output.fit && FormatSupportsFit(output.format)) {
        s.WithWriter([&s, limit = *output.fit](const auto& writer) { s.Fit(writer, limit); });
    }
    if (!s.refused && detail::HasSizeSteps(s.options->h_fontflag)) {
        s.WithWriter([&s](const auto& writer) { s.NoteSizes(writer); });
    }
}

FormattedRun::~FormattedRun() = default;

bool FormattedRun::Refused() const { return m_state->refused; }
const RunReport& FormattedRun::Report() const { return m_state->report; }

RunOutcome FormattedRun::Write(TagSink& sink, RunHook* hook)
{
    State& s = *m_state;
    if (s.refused) return RunOutcome::Refused;
    return s.WithWriter([&](auto& writer) { return s.Write(writer, sink, hook); });
}

void FormattedRun::Plan(RunPlan& plan) const
{
    const State& s = *m_state;
    plan.refused = s.refused;
    plan.report = s.report;
    if (s.refused) return;
    const bool fixed = !detail::HasSizeSteps(s.options->h_fontflag);
    auto add = [&](const PlannedCharacter& c, std::size_t first, std::size_t last) {
        plan.runs.push_back(PlannedRun{std::u16string(s.text.Span(first, last)), c.color,
                                       fixed ? s.options->h_NFontSize : c.size});
    };
    if (s.runStarts.empty()) {
        s.Walk(nullptr, [&](const PlannedCharacter& c) { add(c, c.index, c.index + 1); });
        plan.gradient = s.gradientStops;
    } else {
        for (std::size_t r = 0; r + 1 < s.runStarts.size(); ++r) {
            add(s.Representative(r), s.runStarts[r], s.runStarts[r + 1]);
        }
        if (RowOf(s.output.format).oneGradient) plan.gradient = s.RunColors();
    }
}

RunPlan PlanRun(const TagOptions& options, const OutputOptions& output, std::u16string_view text,
                const ColorSource& colors)
{
    const CharacterText characters(text);
    const FormattedRun run(options, output, characters, colors);
    RunPlan plan;
    run.Plan(plan);
    return plan;
}

FormattedResult GenerateFormatted(const TagOptions& options, const OutputOptions& output,
                                  std::u16string_view text, const ColorSource& colors,
                                  RunHook* hook)
{
    FormattedResult result;
    const CharacterText characters(text);
    FormattedRun run(options, output, characters, colors);
    if (!run.Refused()) {
        StringSink sink;
        sink.Text().reserve(text.size() * 64 + 128);
        result.outcome = run.Write(sink, hook);
        result.tags = std::move(sink.Text());
    }
    result.report = run.Report();
    return result;
}

}  // namespace kelvara::engine
