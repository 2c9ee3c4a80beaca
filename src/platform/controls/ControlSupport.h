#pragma once

#include <QMouseEvent>
#include <QWidget>

namespace tessaro {

/// A widget that reports its clicks through clicked(): a click is the left button pressed and
/// released inside it. It takes every press, so none reaches the widget beneath.
template <class Widget>
class ClickSource : public Widget {
public:
    using Widget::Widget;

protected:
    virtual void clicked() = 0;

    void mousePressEvent(QMouseEvent* event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && this->rect().contains(event->position().toPoint()))
            clicked();
    }
};

/// Applies a solid background colour to a widget that paints its own ground.
void setSolidBackground(QWidget* widget, const QColor& colour);

} // namespace tessaro
