// SPDX-License-Identifier: MIT
// The state every window shares, owned by the application and handed to each window: a small
// model. Any window reads it; a change the other windows follow goes through the functions
// below, whose signals tell them (the settings dialog and the edit window change it, the main
// window listens). The windows never call each other for it.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <cstdint>

#include "kelvara/engine/options.h"
#include "kelvara/engine/tag_options.h"
#include "kelvara/settings/output_settings.h"

namespace kelvara::ui {

class AppState : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    engine::TagOptions TagOptions;
    QString ResultTags;                   // the last generated (or sent-back) tag string
    std::array<QString, 12> SavedColors;  // 0 = most recently saved; empty = nothing saved
    QString ProgramFolder;                // where temp.html lives (and Lum.ini, unless set below)
    QString SettingsFile;  // Lum.ini read at start-up, written at exit; empty: ProgramFolder's
    QString FallbackSettingsFile;     // read at start-up instead while SettingsFile does not exist
    settings::OutputSettings Output;  // format, colour space, extra stops, limit, contrast

    // One value of TagOptions set at once, as an option's box or toggle does.
    void SetOption(engine::OptionField field, std::int16_t value);
    // The options and output choices as a whole, as the settings dialog's OK takes them.
    void TakeSettings(const engine::TagOptions& options, const settings::OutputSettings& output);
    // The settings dialog has closed, with or without OK: whatever shows the options and the
    // output choices is brought in line with them.
    void CloseSettings();
    // A result edited by hand, sent back in place of the last one.
    void ReplaceResult(const QString& tags);

signals:
    void optionChanged(kelvara::engine::OptionField field);
    void settingsTaken();
    void settingsClosed();
    void resultReplaced();
};

}  // namespace kelvara::ui
