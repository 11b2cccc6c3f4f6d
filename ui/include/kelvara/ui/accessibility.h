// SPDX-License-Identifier: MIT
// What a screen reader hears of the five windows: accessible names for controls whose caption
// is a picture, a bare field or too short to say what it is, the swatches as buttons named by
// their colour, and the status line under the view.
#pragma once

#include <QString>

class QWidget;

namespace kelvara::ui {

// Names the controls of one of the five windows, found by the window's name (Form1 .. Form5).
// A tooltip stays the control's description. Run once, when the window has its controls.
void DescribeControls(QWidget* window);

// Names the view that shows the preview page, and the widgets inside it that take the focus.
void DescribePreview(QWidget* view);

// Tells assistive technology that the status line's figures changed.
void AnnounceStatusLine(QWidget* statusLine);

}  // namespace kelvara::ui
