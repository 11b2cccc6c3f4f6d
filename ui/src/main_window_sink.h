// SPDX-License-Identifier: MIT
// The run's tag sink: ResultTags in the shared state, which the edit window may replace
// in the middle of a run.
#pragma once

#include <QString>

#include "kelvara/engine/generator.h"
#include "kelvara/ui/app_state.h"
#include "kelvara/ui/main_window.h"
#include "kelvara/ui/platform.h"

namespace kelvara::ui {

class MainWindow::ResultSink final : public engine::TagSink {
public:
    explicit ResultSink(AppState& state) : m_state(state) {}

    void Reset() override { m_state.ResultTags.clear(); }
    void Append(std::u16string_view piece) override
    {
        m_state.ResultTags.append(QStringView(piece.data(), static_cast<qsizetype>(piece.size())));
    }
    void Wrap(std::u16string_view open, std::u16string_view close) override
    {
        m_state.ResultTags = ToQString(open) + m_state.ResultTags + ToQString(close);
    }

private:
    AppState& m_state;
};

}  // namespace kelvara::ui
