#pragma once

#include "platform/controls/Contrast.h"

#include <QMouseEvent>
#include <QPalette>
#include <QWidget>

namespace tessaro {

/// A widget that emits its Control's Click() signal on a click: the left button pressed and
/// released inside it. It takes every press, so none reaches the widget beneath.
template <class Widget, class Control>
class ClickSource : public Widget {
public:
    using Widget::Widget;

protected:
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && this->rect().contains(event->position().toPoint()))
            emit static_cast<Control*>(this)->Click();
    }
};

/// The event filter of type `Filter` that `widget` owns and that watches it, made on first use
/// as `Filter(widget)`.
template <class Filter, class Widget>
Filter& ownedFilter(Widget& widget)
{
    auto* filter = widget.template findChild<Filter*>(QString(), Qt::FindDirectChildrenOnly);
    if (!filter) {
        filter = new Filter(widget);
        widget.installEventFilter(filter);
    }
    return *filter;
}

/// Applies a solid background colour to a widget that paints its own ground. Its text keeps its
/// colour where that stands out on the new ground, else turns black or white (a designed light
/// ground under a dark palette's light text).
inline void setSolidBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    const QColor text = palette.color(QPalette::WindowText);
    if (!standsOut(text, colour))
        palette.setColor(QPalette::WindowText, readableOn(colour, text));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace tessaro
