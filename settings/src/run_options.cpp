// SPDX-License-Identifier: MIT
// From settings (and kelvara-gen's overrides) to the options of a run.
#include "kelvara/settings/run_options.h"

#include <algorithm>

namespace kelvara::settings {

void ApplyTarget(OutputSettings& output, const engine::TargetRow& target)
{
    output.Target = &target;
    output.Format = target.format;
    output.Fit.reset();
    if (target.limit != 0) output.Fit = static_cast<std::int32_t>(target.limit);
}

void ApplyOverrides(StoredSettings& s, const OutputOverrides& overrides)
{
    OutputSettings& output = s.Output;
    if (overrides.target != nullptr) ApplyTarget(output, *overrides.target);
    if (overrides.format) {
        output.Format = *overrides.format;
        // Another format is another place.
        if (output.Target != nullptr && output.Target->format != output.Format) {
            output.Target = nullptr;
        }
    }
    if (overrides.space) output.Space = *overrides.space;
    if (overrides.fit) {
        // Larger limits than the file can hold change nothing: no text's output is that long.
        output.Fit =
            static_cast<std::int32_t>(std::min(*overrides.fit, static_cast<std::size_t>(kMaxFit)));
    }
    if (overrides.contrast) output.Contrast = 1;
    if (overrides.stops && overrides.stops->size() >= 2) {
        const std::vector<engine::Rgb>& stops = *overrides.stops;
        const auto text = [](const engine::Rgb& c) {
            return engine::ComposeColorText(c.red, c.green, c.blue);
        };
        s.txtCfor = text(stops.front());
        s.txtClat = text(stops.back());
        std::size_t firstExtra = 1;
        s.TagOptions.h_ColorCount = 2;
        if (stops.size() - 2 > kMaxExtraStops) {
            s.txtCmid = text(stops[1]);
            s.TagOptions.h_ColorCount = 3;
            firstExtra = 2;
        }
        output.ExtraStops.clear();
        for (std::size_t i = firstExtra; i + 1 < stops.size(); ++i) {
            output.ExtraStops.push_back(text(stops[i]));
        }
    }
}

engine::OutputOptions RunOptions(const OutputSettings& output, const engine::TagOptions& options,
                                 const RunColors& colors)
{
    engine::OutputOptions run;
    run.format = output.Format;
    run.space = output.Space;
    if (!output.ExtraStops.empty()) {
        run.stops.push_back(engine::ReadColorText(colors.first));
        if (options.h_ColorCount == 3) run.stops.push_back(engine::ReadColorText(colors.middle));
        for (const std::u16string& stop : output.ExtraStops) {
            run.stops.push_back(engine::ReadColorText(stop));
        }
        run.stops.push_back(engine::ReadColorText(colors.last));
    }
    if (output.Fit) run.fit = static_cast<std::size_t>(*output.Fit);
    if (output.Target != nullptr) run.fitUnit = output.Target->unit;
    if (engine::IsSet(output.Contrast)) {
        run.contrastBackground = engine::ReadColorText(colors.background);
    }
    return run;
}

}  // namespace kelvara::settings
