#include "control/HeaderPanel.h"

#include "design/Style.h"
#include "platform/Failure.h"
#include "platform/controls/KeyboardClick.h"

#include <QApplication>
#include <QGuiApplication>

namespace tessaro {

using design::place;

namespace {

PictureDrawer switchPicture(bool show)
{
    return [glyph = glyphs::panelSwitch(show)](const QWidget& shownOn) { return design::glyphFor(glyph, shownOn); };
}

} // namespace

HeaderPanel::HeaderPanel(QWidget& control, tessaro::ListView& list) : m_list(list)
{
    pctIntestazione = new PictureBox(QStringLiteral("pctIntestazione"), &control);
    pctIntestazione->stackUnder(&list);
    pctIntestazione->setBackColor(design::kPanelColour);
    // The host's window-text colour, not the control's own: that one may have been changed to
    // stand out on the control's designed ground.
    const QPalette host = control.parentWidget() ? control.parentWidget()->palette() : QGuiApplication::palette();
    design::setTextColour(pctIntestazione, host.color(QPalette::WindowText));
    place(*pctIntestazione, design::kPanel);
    pctIntestazione->setVisible(false);

    // The switches are taller than the strip above the list: the list's column headings stay on
    // top of them, so neither their picture nor their clicks cover a heading.
    pctEstendi = new PictureBox(QStringLiteral("pctEstendi"), &control);
    pctEstendi->setPicture(switchPicture(true));
    pctEstendi->setToolTip(QString::fromUtf8(design::kShowPanelTip));
    place(*pctEstendi, design::kPanelSwitch);
    pctEstendi->stackUnder(&list);
    pctNascondi = new PictureBox(QStringLiteral("pctNascondi"), &control);
    // The hide switch stands on the panel: its picture and focus are chosen against the panel's
    // colour, which it does not paint itself.
    QPalette onPanel = pctNascondi->palette();
    onPanel.setColor(QPalette::Window, design::kPanelColour);
    pctNascondi->setPalette(onPanel);
    pctNascondi->setPicture(switchPicture(false));
    pctNascondi->setToolTip(QString::fromUtf8(design::kHidePanelTip));
    place(*pctNascondi, design::kPanelSwitch);
    pctNascondi->stackUnder(&list);
    pctNascondi->setVisible(false);

    // Tab reaches the switch shown where it stands in the tab order: after the list, before the
    // panel's fields.
    makeKeyboardClickable(*pctEstendi);
    makeKeyboardClickable(*pctNascondi);
    connect(pctEstendi, &PictureBox::Click, this, &HeaderPanel::pctEstendi_Click);
    connect(pctNascondi, &PictureBox::Click, this, &HeaderPanel::pctNascondi_Click);
}

// The panel covers the switch strip, so the list moves by the panel's height less the strip. A
// list too short for that would get a negative height, which fails and is skipped.
void HeaderPanel::showPanel(bool show)
{
    const double panel = show ? pctIntestazione->Height() : -pctIntestazione->Height();
    const double strip = show ? design::kSwitchStrip : -design::kSwitchStrip;
    skipFailure("showPanel", [&] { m_list.Move(m_list.Left(), m_list.Top() + panel - strip, m_list.Width(), m_list.Height() - panel + strip); });
    // A field of the panel about to hide would hand the keyboard on along the tab order, out of
    // the user's sight (the page bar); the user goes on in the list.
    if (!show && pctIntestazione->isAncestorOf(QApplication::focusWidget()))
        m_list.setFocus(Qt::OtherFocusReason);
    pctIntestazione->setVisible(show);
    PictureBox* shown = show ? pctNascondi : pctEstendi;
    PictureBox* hidden = show ? pctEstendi : pctNascondi;
    shown->setVisible(true);
    // A switch used from the keyboard hides itself; its focus passes to the switch now in its
    // place, not along the tab order (which may lead out of the control).
    if (hidden->hasFocus())
        shown->setFocus(Qt::TabFocusReason);
    hidden->setVisible(false);
}

void HeaderPanel::pctEstendi_Click()
{
    showPanel(true);
    if (m_focusOnShow)
        m_focusOnShow->setFocus(Qt::OtherFocusReason);
    emit listMoved();
}

void HeaderPanel::pctNascondi_Click()
{
    showPanel(false);
    emit listMoved();
}

} // namespace tessaro
