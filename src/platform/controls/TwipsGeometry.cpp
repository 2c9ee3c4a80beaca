#include "platform/controls/TwipsGeometry.h"

#include "platform/Failure.h"

#include <QCursor>
#include <cmath>

namespace tessaro {
namespace {

constexpr double kTwipsPerInch = 1440.0;

int toPixels(double twips, double perPixel)
{
    return static_cast<int>(std::lround(twips / perPixel));
}

} // namespace

TwipsGeometry::TwipsGeometry(QWidget* widget, const QString& name) : m_widget(widget)
{
    widget->setObjectName(name);
}

double TwipsGeometry::twipsPerPixel(const QWidget* widget)
{
    const int dpi = widget ? widget->logicalDpiX() : kDesignedDpi;
    return kTwipsPerInch / (dpi > 0 ? dpi : kDesignedDpi);
}

void TwipsGeometry::Move(double left, double top, double width, double height)
{
    if (width < 0 || height < 0)
        raiseError(Error::InvalidPropertyValue);
    // A page fill places the page bar again: a place the widget still has would only ask its
    // screen the resolution once more.
    if (m_placed && *m_placed == m_widget->geometry() && left == m_left && top == m_top && width == m_width
        && height == m_height)
        return;
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    const double perPixel = twipsPerPixel(m_widget);
    m_widget->setGeometry(toPixels(m_left, perPixel), toPixels(m_top, perPixel),
                          toPixels(m_width, perPixel), toPixels(m_height, perPixel));
    m_placed = m_widget->geometry();
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

// A font already set to the same value is left alone: setting it again would have the widget
// lay its text out anew.
void TwipsGeometry::setFontSize(double points)
{
    QFont font = m_widget->font();
    if ((font.resolveMask() & QFont::SizeResolved) != 0 && font.pointSizeF() == points)
        return;
    font.setPointSizeF(points);
    m_widget->setFont(font);
}

void TwipsGeometry::setFontBold(bool bold)
{
    QFont font = m_widget->font();
    if ((font.resolveMask() & QFont::WeightResolved) != 0 && font.bold() == bold)
        return;
    font.setBold(bold);
    m_widget->setFont(font);
}

} // namespace tessaro
