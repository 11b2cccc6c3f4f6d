// SPDX-License-Identifier: MIT
// AppState: the changes the windows follow, each told by its signal.
#include "kelvara/ui/app_state.h"

namespace kelvara::ui {

void AppState::SetOption(engine::OptionField field, std::int16_t value)
{
    TagOptions.*field = value;
    emit optionChanged(field);
}

void AppState::TakeSettings(const engine::TagOptions& options,
                            const settings::OutputSettings& output)
{
    TagOptions = options;
    Output = output;
    emit settingsTaken();
}

void AppState::CloseSettings() { emit settingsClosed(); }

void AppState::ReplaceResult(const QString& tags)
{
    ResultTags = tags;
    emit resultReplaced();
}

}  // namespace kelvara::ui
