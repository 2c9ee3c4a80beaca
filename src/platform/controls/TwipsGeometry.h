#pragma once

// Position and size of a child control in twips, kept exactly as last set; the widget's pixel
// geometry is derived from them (1440 twips per logical inch), never read back.

#include <tessaro/Enums.h>

#include <QRect>
#include <QWidget>

#include <optional>

namespace tessaro {

class TwipsGeometry {
public:
    /// Gives `widget` its object name, the name hosts find the control by.
    explicit TwipsGeometry(QWidget* widget, const QString& name = QString());

    double Left() const { return m_left; }
    double Top() const { return m_top; }
    double Width() const { return m_width; }
    double Height() const { return m_height; }
    void setLeft(double twips) { Move(twips, m_top, m_width, m_height); }
    void setTop(double twips) { Move(m_left, twips, m_width, m_height); }
    /// A negative width or height throws Error 380 and changes nothing.
    void setWidth(double twips) { Move(m_left, m_top, twips, m_height); }
    void setHeight(double twips) { Move(m_left, m_top, m_width, twips); }
    /// Moves and sizes in one step; fails as a whole like setWidth()/setHeight().
    void Move(double left, double top, double width, double height);

    /// The control's own visibility flag (true even while a hidden parent hides it).
    bool Visible() const { return !m_widget->isHidden(); }

    /// A PointerShape number, kept as set and shown with showPointer().
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    void setMousePointer(PointerShape pointer) { setMousePointer(static_cast<int>(pointer)); }
    /// The one mapping of pointer numbers to cursors: Hourglass the wait cursor, Hand the
    /// pointing hand; any other number unsets the widget's cursor, so it shows its parent's.
    static void showPointer(QWidget& widget, int pointer);

    double FontSize() const { return m_widget->font().pointSizeF(); }
    void setFontSize(double points);
    bool FontBold() const { return m_widget->font().bold(); }
    void setFontBold(bool bold);

    /// The dots per inch the twips layout is designed at, and assumed when a widget reports none.
    static constexpr int kDesignedDpi = 96;

    /// Twips per pixel of the widget's screen (15 at 96 dpi).
    static double twipsPerPixel(const QWidget* widget);

private:
    QWidget* m_widget;
    double m_left = 0;
    double m_top = 0;
    double m_width = 0;
    double m_height = 0;
    /// The pixels the geometry was last put in; none before the first Move.
    std::optional<QRect> m_placed;
    int m_mousePointer = 0;
};

} // namespace tessaro

// The properties every child control exposes to hosts by name; used inside each
// wrapper's class body, after Q_OBJECT.
#define TESSARO_TWIPS_PROPERTIES                                                              \
    Q_PROPERTY(double Left READ Left WRITE setLeft)                                           \
    Q_PROPERTY(double Top READ Top WRITE setTop)                                              \
    Q_PROPERTY(double Width READ Width WRITE setWidth)                                        \
    Q_PROPERTY(double Height READ Height WRITE setHeight)                                     \
    Q_PROPERTY(bool Visible READ Visible WRITE setVisible)                                    \
    Q_PROPERTY(QString ToolTipText READ toolTip WRITE setToolTip)                             \
    Q_PROPERTY(double FontSize READ FontSize WRITE setFontSize)                               \
    Q_PROPERTY(bool FontBold READ FontBold WRITE setFontBold)                                 \
    Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer)
