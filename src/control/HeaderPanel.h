#pragma once

// The header panel above the list (search, totals and export live on it) and the two switches
// that show and hide it.

#include "platform/controls/PictureBox.h"

#include <tessaro/ListView.h>

#include <QObject>

namespace tessaro {

class HeaderPanel : public QObject {
    Q_OBJECT

public:
    /// Builds the panel (hidden, beneath `list`) and then the switches (above it) in `control`,
    /// which owns them; `list` must outlive the header, which is destroyed before the control's
    /// children are.
    HeaderPanel(QWidget& control, tessaro::ListView& list);

    /// The panel the search, totals and export fields are built on.
    PictureBox& panel() const { return *pctIntestazione; }
    bool shown() const { return !pctIntestazione->isHidden(); }
    /// The field that takes the focus when the panel is shown; none until set.
    void setFocusOnShow(QWidget& field) { m_focusOnShow = &field; }

    // Neither action looks at the panel's current state: each moves the list by the same amount
    // every time, so showing twice moves the list down twice; a list too short for it stays put.
    void pctEstendi_Click();
    void pctNascondi_Click();

signals:
    /// Either action has moved the list and changed its height; raised last, and the control
    /// may be gone after it.
    void listMoved();

private:
    void showPanel(bool show);

    tessaro::ListView& m_list;
    QWidget* m_focusOnShow = nullptr;
    PictureBox* pctIntestazione = nullptr;
    PictureBox* pctEstendi = nullptr;
    PictureBox* pctNascondi = nullptr;
};

} // namespace tessaro
