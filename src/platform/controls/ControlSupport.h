#pragma once

#include <QMouseEvent>
#include <QWidget>

namespace tessaro {

/// A click as the child controls count it: the left button pressed and released inside the
/// control.
inline bool isClickRelease(const QWidget* widget, const QMouseEvent* event)
{
    return event->button() == Qt::LeftButton && widget->rect().contains(event->position().toPoint());
}

/// Applies a solid background colour to a widget that paints its own ground.
void setSolidBackground(QWidget* widget, const QColor& colour);

} // namespace tessaro
