#include "search/SearchPanel.h"

#include "design/Style.h"
#include "language/ErrorReport.h"
#include "language/LanguageKeys.h"
#include "platform/Failure.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/EditMenu.h"
#include "platform/controls/KeyEvents.h"
#include "platform/controls/TextBox.h"
#include "platform/format/Like.h"

#include <tessaro/ListView.h>

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

#include <optional>

namespace tessaro::search {
namespace {

using design::place;

// What the Tab key does in the focused control: the focus moves to the next control in tab
// order. An open drop-down list closes first, as it would when its combo loses the focus.
void moveFocusOn(ComboBox& combo)
{
    combo.hidePopup();
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    QCoreApplication::sendEvent(&combo, &tab);
}

// The open list follows the entry the typing chose.
void showChosenEntry(ComboBox& combo)
{
    QAbstractItemView* list = combo.view();
    if (list->isVisible())
        list->setCurrentIndex(combo.model()->index(combo.currentIndex(), combo.modelColumn()));
}

// The cell of `item` in search column c: the item's text for the first column, else sub-item c.
QString searchCell(ListItem& item, int c)
{
    return c == 0 ? item.Text() : item.SubItems(c);
}

// Completes what the user types in `combo` from its own entries; returns the key code to pass
// on (0: the key is used up). Backspace with the caret or selection at position 0 or 1 empties
// the combo; any other key below 32 or above 127 is discarded. Otherwise the text the key would
// leave (upper-cased when nothing is selected; what follows a selection is dropped) is looked up
// as the beginning of an entry, ignoring case: the first such entry is chosen and its part
// beyond the typed text is selected. A text that begins no entry discards the key when
// `LimitToList` is true, else passes it on. Failures are passed on.
int CompletaCombo(ComboBox& combo, int KeyAscii, bool LimitToList)
{
    if (!combo.lineEdit())
        raiseError(Error::ObjectVariableNotSet);
    QLineEdit& edit = *combo.lineEdit();
    const QString text = combo.Text();
    // Where the selection starts, or the caret when nothing is selected.
    const int start = edit.hasSelectedText() ? edit.selectionStart() : edit.cursorPosition();
    const int length = static_cast<int>(edit.selectedText().size());
    QString prefix;
    if (KeyAscii == key::Backspace) {
        if (start <= 1) {
            combo.setText(QString());
            return 0;
        }
        prefix = length == 0 ? text.chopped(1).toUpper() : text.left(start - 1);
    } else if (KeyAscii < key::FirstTyped || KeyAscii > key::LastAscii) {
        return 0;
    } else {
        const QChar typed(static_cast<char16_t>(KeyAscii));
        prefix = length == 0 ? text.toUpper() + typed : text.left(start) + typed;
    }

    // The first entry that begins with the text, ignoring case.
    const int found = combo.findText(prefix, Qt::MatchStartsWith);
    if (found == -1)
        return LimitToList ? 0 : KeyAscii;
    combo.setListIndex(found);
    const QString entry = combo.itemText(found);
    if (combo.Text() != entry)
        combo.setText(entry);
    const int selected = static_cast<int>(prefix.size());
    edit.setSelection(selected, static_cast<int>(entry.size()) - selected);
    return 0;
}

} // namespace

SearchPanel::SearchPanel(QWidget& panel, ListView& list)
    : m_list(list),
      Label1(new Label(QStringLiteral("Label1"), &panel)),
      cmbCercaIn(new ComboBox(QStringLiteral("cmbCercaIn"), &panel)),
      Label2(new Label(QStringLiteral("Label2"), &panel)),
      txtRicerca(new TextBox(QStringLiteral("txtRicerca"), &panel)),
      cmdTrova(design::makePictureButton("cmdTrova", glyphs::findButton(), design::kFindButton, &panel)),
      m_comboKeys(new KeyEvents(cmbCercaIn)),
      m_textKeys(new KeyEvents(txtRicerca))
{
    Label1->setText(QStringLiteral("in"));
    place(*Label1, design::kSearchInLabel);
    place(*cmbCercaIn, design::kSearchColumn);
    Label2->setText(QStringLiteral("Cerca"));
    place(*Label2, design::kSearchLabel);
    place(*txtRicerca, design::kSearchText);
    for (QWidget* whiteText : {Label1, Label2})
        design::setTextColour(whiteText, design::kPanelTextColour);
    for (QWidget* field : std::initializer_list<QWidget*>{Label1, cmbCercaIn, Label2, txtRicerca, cmdTrova})
        design::setFontFamily(field, design::kCaptionFace);

    // Keys typed while the drop-down list is open reach its view; they are the combo's keys.
    m_comboKeys->alsoWatch(cmbCercaIn->view());
    m_comboKeys->onGotFocus([this] { cmbCercaIn_GotFocus(); });
    m_comboKeys->onLostFocus([this] { cmbCercaIn_LostFocus(); });
    m_comboKeys->onKeyPress([this](int& KeyAscii) {
        cmbCercaIn_KeyPress(KeyAscii);
        showChosenEntry(*cmbCercaIn);
    });
    m_textKeys->onKeyPress([this](int& KeyAscii) { txtRicerca_KeyPress(KeyAscii); });
    nameEditCommands(designedText);
    connect(cmdTrova, &QPushButton::clicked, this, [this] { cmdTrova_Click(); });
}

SearchPanel::~SearchPanel()
{
    delete m_comboKeys.data();
    delete m_textKeys.data();
}

void SearchPanel::retranslate()
{
    Label1->setText(languageText(LanguageKey::SearchInCaption));
    Label2->setText(languageText(LanguageKey::SearchCaption));
    nameEditCommands(languageText);
}

// The two text fields' context menus, in the words `text` gives each command.
void SearchPanel::nameEditCommands(QString (*text)(LanguageKey))
{
    const EditMenuCaptions captions{text(LanguageKey::UndoCommand),   text(LanguageKey::RedoCommand),
                                    text(LanguageKey::CutCommand),    text(LanguageKey::CopyCommand),
                                    text(LanguageKey::PasteCommand),  text(LanguageKey::DeleteCommand),
                                    text(LanguageKey::SelectAllCommand)};
    setEditMenuCaptions(*cmbCercaIn, captions);
    setEditMenuCaptions(*txtRicerca, captions);
}

void SearchPanel::fillColumnChoice()
{
    trapAndReport(ReportForm::DescriptionBeside, QStringLiteral("RiempiComboConIntestazioniListView"), [&] {
        // A page move or a repopulate of the same query keeps its headings: the combo stays as
        // it is, rather than being emptied and filled again.
        QStringList headings;
        for (const ColumnHeader* header : m_list.ColumnHeaders())
            headings << header->Text();
        if (headings == m_headings)
            return;
        m_headings = headings;
        // The user's column stays chosen over a reload that still has it: a host reloads after
        // switching the language, say.
        const int chosen = cmbCercaIn->ListIndex();
        const QString chosenHeading = chosen == -1 ? QString() : cmbCercaIn->itemText(chosen);
        // Quiet from the start: a host watching the combo would see the choice dropped and back.
        const QSignalBlocker quiet(cmbCercaIn);
        cmbCercaIn->clear();
        // Adding to an empty Qt combo chooses the first entry; the search column stays unchosen
        // until the user picks one.
        for (const QString& heading : headings) {
            cmbCercaIn->addItem(heading);
            cmbCercaIn->setCurrentIndex(-1);
        }
        if (!chosenHeading.isEmpty())
            cmbCercaIn->setCurrentIndex(cmbCercaIn->findText(chosenHeading, Qt::MatchExactly | Qt::MatchCaseSensitive));
    });
}

// Alt+Down is a keystroke: it takes effect once the focus change has been handled, and only if
// the combo still has the focus then. Opening the list takes the text's selection; it is
// selected again, so that typing replaces the chosen entry as in a combo focused by Tab.
void SearchPanel::cmbCercaIn_GotFocus()
{
    ComboBox* combo = cmbCercaIn;
    QMetaObject::invokeMethod(
        combo,
        [combo] {
            if (!combo->hasFocus())
                return;
            combo->showPopup();
            combo->lineEdit()->selectAll();
        },
        Qt::QueuedConnection);
}

void SearchPanel::cmbCercaIn_KeyPress(int& KeyAscii)
{
    // Ctrl+A reaches the open list rather than the text, and would be discarded as no character.
    if (KeyAscii == key::CtrlA) {
        cmbCercaIn->lineEdit()->selectAll();
        KeyAscii = 0;
        return;
    }
    if (KeyAscii == key::Enter) {
        moveFocusOn(*cmbCercaIn);
        KeyAscii = 0;
    }
    const SkipFailures skip("cmbCercaIn_KeyPress");
    skip([&] { KeyAscii = CompletaCombo(*cmbCercaIn, KeyAscii, true); });
}

void SearchPanel::cmbCercaIn_LostFocus()
{
    const int exact = cmbCercaIn->findText(cmbCercaIn->Text(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (exact != -1)
        cmbCercaIn->setListIndex(exact);
}

void SearchPanel::txtRicerca_KeyPress(int& KeyAscii)
{
    if (KeyAscii == key::Enter)
        cmdTrova_Click();
}

// The scan and the page move may yield, and the host destroy the control meanwhile: this panel
// goes with it. A stopped scan leaves the page as it was.
bool SearchPanel::showPageWithMatch(int column, const LikePattern& pattern)
{
    const QPointer<ListView> list(&m_list);
    bool stopped = false;
    std::optional<int> page;
    trapAndReport(ReportForm::DescriptionBeside, QStringLiteral("cmdTrova_Click"),
                  [&] { page = m_whole->nextPageWithMatch(column, pattern, stopped); });
    if (!list)
        return false;
    if (!page) {
        if (stopped)
            m_whole->scanEnded();
        return false;
    }
    m_whole->showPage(*page);
    return list && list->ListItems().Count() > 0;
}

// Every row is deselected, and selected again when its cell in the chosen column matches the
// search text, both upper-cased. A pattern that cannot be read matches no row.
//
// Scrolling to each match in turn would leave the list at the last one; scrolling there once,
// after the loop, gives the same list and keeps a find over a million rows linear.
void SearchPanel::cmdTrova_Click()
{
    const int column = cmbCercaIn->ListIndex();
    if (column == -1)
        return;
    const SkipFailures skip("cmdTrova_Click");
    std::optional<LikePattern> pattern;
    skip([&] { pattern.emplace(txtRicerca->Text(), Qt::CaseInsensitive); });
    if (m_whole && m_whole->active() && !(pattern && showPageWithMatch(column, *pattern)))
        return;
    ListItem* lastMatch = nullptr;
    for (ListItem* item : m_list.ListItems()) {
        item->setSelected(false);
        skip([&] {
            if (pattern && pattern->matches(searchCell(*item, column))) {
                item->setSelected(true);
                lastMatch = item;
            }
        });
    }
    if (!lastMatch)
        return;
    m_list.setFocus(Qt::OtherFocusReason);
    // The keyboard goes on from the match in view, the selection kept.
    m_list.selectionModel()->setCurrentIndex(m_list.model()->index(lastMatch->Index() - 1, 0),
                                             QItemSelectionModel::NoUpdate);
    lastMatch->EnsureVisible();
}

} // namespace tessaro::search
