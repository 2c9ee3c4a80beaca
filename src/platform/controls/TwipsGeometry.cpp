#include "platform/controls/TwipsGeometry.h"

#include "platform/Failure.h"

#include <QCursor>
#include <cmath>

namespace tessaro {
namespace {

int toPixels(double twips, double perPixel)
{
    return static_cast<int>(std::lround(twips / perPixel));
}

} // namespace

TwipsGeometry::TwipsGeometry(QWidget* widget) : m_widget(widget) {}

double TwipsGeometry::twipsPerPixel(const QWidget* widget)
{
    const int dpi = widget ? widget->logicalDpiX() : 96;
    return 1440.0 / (dpi > 0 ? dpi : 96);
}

void TwipsGeometry::setLeft(double twips)
{
    m_left = twips;
    applyGeometry();
}

void TwipsGeometry::setTop(double twips)
{
    m_top = twips;
    applyGeometry();
}

void TwipsGeometry::setWidth(double twips)
{
    if (twips < 0)
        raiseError(Error::InvalidPropertyValue);
    m_width = twips;
    applyGeometry();
}

void TwipsGeometry::setHeight(double twips)
{
    if (twips < 0)
        raiseError(Error::InvalidPropertyValue);
    m_height = twips;
    applyGeometry();
}

void TwipsGeometry::Move(double left, double top, double width, double height)
{
    if (width < 0 || height < 0)
        raiseError(Error::InvalidPropertyValue);
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    applyGeometry();
}

void TwipsGeometry::applyGeometry()
{
    const double perPixel = twipsPerPixel(m_widget);
    m_widget->setGeometry(toPixels(m_left, perPixel), toPixels(m_top, perPixel),
                          toPixels(m_width, perPixel), toPixels(m_height, perPixel));
}

void TwipsGeometry::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    showPointer(*m_widget, pointer);
}

void TwipsGeometry::showPointer(QWidget& widget, int pointer)
{
    switch (static_cast<PointerShape>(pointer)) {
    case PointerShape::Hourglass: widget.setCursor(Qt::WaitCursor); break;
    case PointerShape::Hand: widget.setCursor(Qt::PointingHandCursor); break;
    default: widget.unsetCursor(); break;
    }
}

double TwipsGeometry::FontSize() const
{
    return m_widget->font().pointSizeF();
}

void TwipsGeometry::setFontSize(double points)
{
    QFont font = m_widget->font();
    font.setPointSizeF(points);
    m_widget->setFont(font);
}

bool TwipsGeometry::FontBold() const
{
    return m_widget->font().bold();
}

void TwipsGeometry::setFontBold(bool bold)
{
    QFont font = m_widget->font();
    font.setBold(bold);
    m_widget->setFont(font);
}

} // namespace tessaro
