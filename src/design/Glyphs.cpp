#include "design/Glyphs.h"

#include "design/DesignedLayout.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace tessaro::glyphs {
namespace {

const QColor kInk(40, 40, 40);
const QColor kSheetGreen(33, 115, 70); // the export button's spreadsheet

constexpr QSize kNarrowArrow(10, 10);
constexpr QSize kWideArrow(16, 10);
constexpr QSize kSwitch(50, 9);
// The switch's tab and the chevron cut out of it, in its designed pixels.
constexpr QRectF kTab(1, 0, 28, 6);
constexpr double kTabCorner = 2;
constexpr QRectF kChevron(0, 1.6, 12, 2.8); // centred on the tab
constexpr double kChevronPen = 1.7;
constexpr QSize kButtonPicture(16, 16);

void triangle(QPainter& painter, double x, double width, bool pointsLeft)
{
    const double tip = pointsLeft ? x : x + width;
    const double base = pointsLeft ? x + width : x;
    painter.drawPolygon(QPolygonF({QPointF(tip, 5), QPointF(base, 0.5), QPointF(base, 9.5)}));
}

} // namespace

QSize Glyph::scaledSize(double scale) const
{
    return {static_cast<int>(std::lround(size.width() * scale)), static_cast<int>(std::lround(size.height() * scale))};
}

QPixmap Glyph::render(double scale, double pixelRatio, const QColor& withInk) const
{
    const QSize shown = scaledSize(scale);
    QPixmap pixmap(shown * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.scale(double(shown.width()) / size.width(), double(shown.height()) / size.height());
    draw(painter, withInk);
    return pixmap;
}

Glyph pageArrow(Arrow arrow)
{
    const bool wide = arrow == Arrow::First || arrow == Arrow::Last;
    return {wide ? kWideArrow : kNarrowArrow, kInk, [arrow](QPainter& painter, const QColor& ink) {
                painter.setRenderHint(QPainter::Antialiasing);
                painter.setPen(Qt::NoPen);
                painter.setBrush(ink);
                switch (arrow) {
                case Arrow::Previous: triangle(painter, 2, 6, true); break;
                case Arrow::Next: triangle(painter, 2, 6, false); break;
                case Arrow::First:
                    painter.drawRect(QRectF(1, 0.5, 2, 9));
                    triangle(painter, 3.5, 5.5, true);
                    triangle(painter, 9, 5.5, true);
                    break;
                case Arrow::Last:
                    triangle(painter, 1.5, 5.5, false);
                    triangle(painter, 7, 5.5, false);
                    painter.drawRect(QRectF(13, 0.5, 2, 9));
                    break;
                }
            }};
}

// A tab hanging from the top edge with a chevron cut out of it, down to show the panel and up
// to hide it. It keeps within the six pixel rows (at 96 dpi) above the panel's fields and within
// the strip left above the list, whose headings cover the rest of the switch; the cut-out shows
// the ground, so the chevron reads on the tab in any ink.
Glyph panelSwitch(bool show)
{
    return {kSwitch, design::kPanelColour, [show](QPainter& painter, const QColor& ink) {
                painter.setRenderHint(QPainter::Antialiasing);
                QPainterPath tab;
                tab.addRoundedRect(QRectF(kTab.left(), kTab.top() - kTabCorner, kTab.width(), kTab.height() + kTabCorner),
                                   kTabCorner, kTabCorner);
                painter.fillPath(tab, ink);
                painter.setCompositionMode(QPainter::CompositionMode_Clear);
                painter.setPen(QPen(Qt::black, kChevronPen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                const double middle = kTab.center().x(), half = kChevron.width() / 2;
                const double top = show ? kChevron.top() : kChevron.bottom();
                const double bottom = show ? kChevron.bottom() : kChevron.top();
                painter.drawPolyline(QPolygonF({QPointF(middle - half, top), QPointF(middle, bottom),
                                                QPointF(middle + half, top)}));
            }};
}

Glyph findButton()
{
    return {kButtonPicture, kInk, [](QPainter& painter, const QColor& ink) {
                painter.setRenderHint(QPainter::Antialiasing);
                painter.setPen(QPen(ink, 2));
                painter.drawEllipse(QRectF(2, 2, 8, 8));
                painter.drawLine(QPointF(9, 9), QPointF(14, 14));
            }};
}

Glyph totalsButton()
{
    return {kButtonPicture, kInk, [](QPainter& painter, const QColor& ink) {
                painter.setRenderHint(QPainter::Antialiasing);
                painter.setPen(QPen(ink, 1.8));
                painter.drawPolyline(QPolygonF({QPointF(13, 3), QPointF(3, 3), QPointF(8.5, 8), QPointF(3, 13),
                                                QPointF(13, 13)}));
            }};
}

// A white sheet with a green frame and heading: it reads on any ground, so it keeps its colours.
Glyph exportButton()
{
    return {kButtonPicture, kSheetGreen, [](QPainter& painter, const QColor&) {
                painter.setPen(QPen(kSheetGreen, 1));
                painter.setBrush(Qt::white);
                painter.drawRect(QRectF(1.5, 1.5, 13, 13));
                for (double y : {5.5, 9.5})
                    painter.drawLine(QPointF(1.5, y), QPointF(14.5, y));
                painter.drawLine(QPointF(6, 1.5), QPointF(6, 14.5));
                painter.fillRect(QRectF(2, 2, 12.5, 3.5), kSheetGreen);
            }};
}

} // namespace tessaro::glyphs
