#include "platform/controls/FocusRing.h"

#include "platform/controls/Contrast.h"
#include "platform/controls/TwipsGeometry.h"

#include <QPainter>
#include <QWidget>

namespace tessaro {
namespace {

// Pixels at the designed dpi: a band wide enough to be seen at a glance, a line to part it from
// the face.
constexpr double kOuterBand = 2;
constexpr double kInnerLine = 1;

} // namespace

void paintFocusRing(QWidget& widget, const QColor& ground)
{
    const double scale = widget.logicalDpiX() > 0 ? widget.logicalDpiX() / double(TwipsGeometry::kDesignedDpi) : 1.0;
    const QColor outer = readableOn(ground, Qt::white);
    const QColor inner = outer.lightness() > 127 ? QColor(Qt::black) : QColor(Qt::white);
    const double band = kOuterBand * scale, line = kInnerLine * scale;
    QPainter painter(&widget);
    painter.setBrush(Qt::NoBrush);
    const QRectF edge = QRectF(widget.rect());
    painter.setPen(QPen(outer, band, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(edge.adjusted(band / 2, band / 2, -band / 2, -band / 2));
    painter.setPen(QPen(inner, line, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    const double in = band + line / 2;
    painter.drawRect(edge.adjusted(in, in, -in, -in));
}

bool showsKeyboardFocus(const QWidget& widget)
{
    return widget.hasFocus() && widget.window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

} // namespace tessaro
