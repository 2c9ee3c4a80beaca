#include "control/HeaderPanel.h"

#include "design/Style.h"
#include "platform/Failure.h"

namespace tessaro {

using design::place;

HeaderPanel::HeaderPanel(QWidget& control, tessaro::ListView& list) : m_list(list)
{
    pctIntestazione = new PictureBox(QStringLiteral("pctIntestazione"), &control);
    pctIntestazione->stackUnder(&list);
    pctIntestazione->setBackColor(design::kPanelColour);
    design::setTextColour(pctIntestazione, control.palette().color(QPalette::WindowText));
    place(*pctIntestazione, design::kPanel);
    pctIntestazione->setVisible(false);

    pctEstendi = new PictureBox(QStringLiteral("pctEstendi"), &control);
    pctEstendi->setPicture(glyphs::panelSwitch(true));
    place(*pctEstendi, design::kPanelSwitch);
    pctNascondi = new PictureBox(QStringLiteral("pctNascondi"), &control);
    pctNascondi->setPicture(glyphs::panelSwitch(false));
    place(*pctNascondi, design::kPanelSwitch);
    pctNascondi->setVisible(false);

    connect(pctEstendi, &PictureBox::Click, this, &HeaderPanel::pctEstendi_Click);
    connect(pctNascondi, &PictureBox::Click, this, &HeaderPanel::pctNascondi_Click);
}

// The panel covers the switch strip, so the list moves by the panel's height less the strip. A
// list too short for that would get a negative height, which fails and is skipped.
void HeaderPanel::showPanel(bool show)
{
    const double panel = show ? pctIntestazione->Height() : -pctIntestazione->Height();
    const double strip = show ? design::kSwitchStrip : -design::kSwitchStrip;
    skipFailure([&] { m_list.Move(m_list.Left(), m_list.Top() + panel - strip, m_list.Width(), m_list.Height() - panel + strip); });
    pctIntestazione->setVisible(show);
    pctNascondi->setVisible(show);
    pctEstendi->setVisible(!show);
}

void HeaderPanel::pctEstendi_Click()
{
    showPanel(true);
    if (m_focusOnShow)
        m_focusOnShow->setFocus(Qt::OtherFocusReason);
}

void HeaderPanel::pctNascondi_Click()
{
    showPanel(false);
}

} // namespace tessaro
