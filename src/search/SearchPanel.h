#pragma once

// The search fields on the header panel: the column to search in, the pattern and the find
// button, with their key handling.

#include "search/WholeFind.h"

#include <QObject>
#include <QPointer>

#include <memory>

namespace tessaro {

class ComboBox;
class CommandButton;
class KeyEvents;
class Label;
class ListView;
class TextBox;
class LikePattern;
enum class LanguageKey : int;

namespace search {

/// Owns Label1, cmbCercaIn, Label2, txtRicerca and cmdTrova, created on `panel` in this order
/// (which is their tab order), and the watchers that raise their focus and key handlers. Every
/// connection it makes ends when it is destroyed.
class SearchPanel : public QObject {
    Q_OBJECT

public:
    SearchPanel(QWidget& panel, ListView& list);
    /// Deletes the key watchers still there (the control's teardown may have deleted them).
    ~SearchPanel() override;

    /// cmbCercaIn, the column to search in: totals read it, showing the panel focuses it.
    ComboBox& columnChoice() const { return *cmbCercaIn; }
    /// Sets the captions from the current language.
    void retranslate();
    /// Replaces the column choice's entries with the list's column captions, in column order.
    /// A failure is reported in the critical message box; captions not yet added stay out.
    void fillColumnChoice();

    /// Opens the drop-down list once the focus has settled there.
    void cmbCercaIn_GotFocus();
    /// Enter moves the focus on; other keys complete the text from the entries (list only).
    void cmbCercaIn_KeyPress(int& KeyAscii);
    /// The typed text chooses the entry it spells exactly, case included.
    void cmbCercaIn_LostFocus();
    /// Enter finds.
    void txtRicerca_KeyPress(int& KeyAscii);
    /// Selects the rows whose cell in the chosen column matches the pattern, ignoring case;
    /// does nothing while no column is chosen. While `whole` (see findOverWholeResult) is
    /// active, first shows the next page that holds a match, if any (nothing changes else).
    void cmdTrova_Click();
    /// Lets the find look over every row when the control shows the whole result.
    void findOverWholeResult(std::unique_ptr<WholeFind> whole) { m_whole = std::move(whole); }

private:
    /// Shows the next page with a match over the whole result; false when there is none.
    bool showPageWithMatch(int column, const LikePattern& pattern);
    void nameEditCommands(QString (*text)(LanguageKey));

    ListView& m_list;
    QStringList m_headings; ///< what cmbCercaIn lists, in its order
    Label* Label1;
    ComboBox* cmbCercaIn;
    Label* Label2;
    TextBox* txtRicerca;
    CommandButton* cmdTrova;
    QPointer<KeyEvents> m_comboKeys;
    QPointer<KeyEvents> m_textKeys;
    std::unique_ptr<WholeFind> m_whole;
};

} // namespace search
} // namespace tessaro
