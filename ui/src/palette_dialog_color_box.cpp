// SPDX-License-Identifier: MIT
// ColorBox: the palette's filled rectangles; a click is a left press and release inside the box.
#include <QMouseEvent>

#include "kelvara/ui/palette_dialog.h"

namespace kelvara::ui {

ColorBox::ColorBox(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
}

void ColorBox::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ColorBox::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click) emit clicked();
}

}  // namespace kelvara::ui
