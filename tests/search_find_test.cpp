#include "support/ShownControl.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

using namespace tessaro;

namespace {

// Eight people under the headings "nome", "citta", "note", with the header panel shown.
struct Search : test::ShownControl {
    QComboBox* combo = control.findChild<QComboBox*>(QStringLiteral("cmbCercaIn"));
    QLineEdit* text = control.findChild<QLineEdit*>(QStringLiteral("txtRicerca"));

    Search()
    {
        database.exec("CREATE TABLE people (id INTEGER PRIMARY KEY, nome TEXT, citta TEXT, note TEXT)");
        database.exec("INSERT INTO people VALUES (1, 'Rossi', 'Roma', ''), (2, 'ROSSI', 'Milano', ''), "
                      "(3, 'Rossini', 'Roma', ''), (4, NULL, 'Bari', ''), (5, 'R2D2', 'Torino', ''), "
                      "(6, 'Bianchi', 'roma', ''), (7, 'Carlo', 'Napoli', ''), (8, '7nani', 'Roma', '')");
        database.createNumbered(QStringLiteral("numbered"), 300);
        showAt(700, 400);
        load("SELECT id, nome, citta, note FROM people");
        control.setIntestazioneVisibile(true);
    }

    void load(const QString& query) { ShownControl::load(query, false, QStringLiteral("SearchTest")); }

    // Types into the combo, or into its drop-down list while open; '\b' is Backspace, '\x1b' Escape.
    void typeInCombo(const QString& keys)
    {
        for (QChar key : keys) {
            QWidget* popup = QApplication::activePopupWidget();
            QWidget* target = popup ? (popup->focusWidget() ? popup->focusWidget() : popup) : combo;
            if (key.unicode() > 127)
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(key), Qt::NoModifier);
            else
                QTest::keyClick(target, key.toLatin1());
        }
    }
    // The list drops open once the header panel has focused the combo.
    void closeDropDown() { QApplication::processEvents(), typeInCombo(QStringLiteral("\x1b")); }
    // The combo's text, its selected part and its current index.
    QStringList comboState() const
    {
        return {combo->currentText(), combo->lineEdit()->selectedText(), QString::number(combo->currentIndex())};
    }

    QList<int> selectedIds() const
    {
        QList<int> ids;
        for (ListItem* item : control.ListView->ListItems())
            if (item->Selected())
                ids << item->Tag().toInt();
        return ids;
    }
};

TEST_F(Search, SearchColumnComboDropsOpenOnEveryFocus)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    EXPECT_EQ(items << comboState(), QStringList({"nome", "citta", "note", "", "", "-1"}));

    QApplication::processEvents();
    EXPECT_TRUE(combo->view()->isVisible()) << "showing the header panel focuses the combo";
    typeInCombo(QStringLiteral("c"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("citta")) << "keys typed in the open list complete the combo";
    closeDropDown();
    EXPECT_FALSE(combo->view()->isVisible());

    QTest::keyClick(combo, Qt::Key_Return);
    // Enter moves the focus on and types nothing.
    EXPECT_EQ(std::make_pair(QApplication::focusWidget(), combo->currentText()),
        std::make_pair<QWidget*>(text, QStringLiteral("citta")));
    QTest::keyClick(text, Qt::Key_Backtab);
    QApplication::processEvents();
    EXPECT_TRUE(combo->view()->isVisible());
    // Open, it completes typing as when closed: the chosen entry, all selected by the focus or by
    // Ctrl+A, gives way to what is typed.
    for (const auto& [keys, expected] : {std::pair{"n", QStringList{"nome", "ome", "0"}}, {"^c", {"citta", "itta", "1"}}}) {
        for (const char* key = keys; *key; ++key) // '^' is Ctrl+A
            QTest::keyClick(QApplication::focusWidget(), *key == '^' ? 'a' : *key,
                            *key == '^' ? Qt::ControlModifier : Qt::NoModifier);
        EXPECT_EQ(comboState(), expected) << keys;
    }
}

TEST_F(Search, TypeAheadCompletesFromTheEntries)
{
    // Keys typed -> text, selected part, current index.
    const std::pair<const char*, QStringList> cases[] = {
        {"N", {"nome", "ome", "0"}}, {"n", {"nome", "ome", "0"}}, {"not", {"note", "e", "2"}}, {"x", {"", "", "-1"}},
        {"cz", {"citta", "itta", "1"}}, {"n\u00e8", {"nome", "ome", "0"}}, {"\b", {"", "", "-1"}},
        // emptied: no entry stays chosen
        {"c\b", {"", "", "-1"}},
        // a selection: the prefix is all but the last character before it
        {"not\b", {"nome", "me", "0"}},
    };
    closeDropDown();
    for (const auto& [keys, expected] : cases) {
        SCOPED_TRACE(keys);
        combo->setCurrentIndex(-1);
        typeInCombo(QString::fromUtf8(keys));
        EXPECT_EQ(comboState(), expected);
    }

    // Without a selection Backspace looks up the text less its last character, wherever the caret.
    combo->setCurrentIndex(-1);
    typeInCombo(QStringLiteral("not"));
    combo->lineEdit()->setCursorPosition(2);
    typeInCombo(QStringLiteral("\b"));
    EXPECT_EQ(comboState(), QStringList({"note", "e", "2"}));

    for (const auto& [pasted, index] : {std::pair{"CITTA", -1}, {"citta", 1}}) {
        combo->setFocus();
        combo->setCurrentIndex(-1);
        combo->lineEdit()->setText(QString::fromLatin1(pasted)); // pasted, not typed
        text->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(combo->currentIndex(), index) << pasted;
    }
}

TEST_F(Search, FindSelectsOnlyTheRowsWhoseCellMatches)
{
    // Keys typed into the combo (none: no column chosen), the pattern, the rows selected.
    const struct { const char* column; const char* pattern; QList<int> ids; } cases[] = {
        // without a column nothing changes (first: only the row selected below is)
        {"", "*", {3}},
        // Whole cells, compared upper-cased; a Null cell reads as empty; a malformed pattern matches nothing.
        {"n", "rossi", {1, 2}}, {"n", "*", {1, 2, 3, 4, 5, 6, 7, 8}}, {"n", "", {4}}, {"n", "[A-C]*", {6, 7}},
        {"n", "R#D#", {5}}, {"n", "[", {}}, {"c", "roma", {1, 3, 6, 8}},
    };
    closeDropDown();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.column) + " " + c.pattern);
        control.ListView->ListItems().Item(3)->setSelected(true); // a find deselects what does not match
        combo->setCurrentIndex(-1);
        typeInCombo(QString::fromLatin1(c.column));
        text->clear();
        QTest::keyClicks(text, QString::fromLatin1(c.pattern));
        QTest::keyClick(text, Qt::Key_Return);
        EXPECT_EQ(selectedIds(), c.ids);
    }
}

TEST_F(Search, FindLeavesTheKeyboardOnTheLastMatch)
{
    load("SELECT id, name FROM numbered");
    closeDropDown();
    typeInCombo(QStringLiteral("n"));
    text->setText(QStringLiteral("row 29?"));
    QTest::mouseClick(child("cmdTrova"), Qt::LeftButton);
    EXPECT_EQ(selectedIds(), QList<int>({290, 291, 292, 293, 294, 295, 296, 297, 298, 299}));
    QApplication::processEvents();
    ListView* list = control.ListView;
    // focused, scrolled, the last match in view and current, the selection also in the view's model
    EXPECT_EQ(QList<bool>({list->hasFocus(), list->verticalScrollBar()->value() > 0,
                  list->viewport()->rect().contains(list->visualRect(list->model()->index(298, 0))),
                  list->selectionModel()->isRowSelected(290), list->currentIndex().row() == 298}), QList<bool>(5, true));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(list->SelectedItem()->Tag().toInt(), 300) << "the keys go on from the last match";
}

} // namespace
