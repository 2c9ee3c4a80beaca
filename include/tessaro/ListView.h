#pragma once

#include <tessaro/tessaro_export.h>

#include <tessaro/ColumnHeader.h>
#include <tessaro/ImageList.h>
#include <tessaro/ListItem.h>

#include <QColor>
#include <QTableView>
#include <memory>

namespace tessaro {

namespace listview {
class ListKeys;
class RowAppender;
}

/// A report-style list: column headers over one line per item, extended full-row selection, no
/// editing. Its model (QAbstractItemView::model()) is read-only for hosts: one row per item, one
/// column per header. What it gives to be drawn (the display role of cells and headers) is the
/// text, or for one of more than 4096 characters its first 4096 and an ellipsis, so that no
/// cell costs a visible pause to paint or measure; ListItem::Text, SubItems and
/// ColumnHeader::Text keep the whole texts.
///
/// Sorting compares the displayed texts of column SortKey case-insensitively, letters with and
/// without accents together (an accent only breaks a tie), everything else by code point, so
/// blanks come before digits and digits before letters. Equal texts keep their order.
///
/// Position and size are in twips, exactly as last set; the pixel geometry is derived.
///
/// Keys: Ctrl+Home and Ctrl+End select the first and the last row, as a click on it would. The
/// platform's Copy key (Ctrl+C) and the Copy entry of the list's context menu put the selected
/// rows on the clipboard as tab-separated text under a heading line, and as an HTML table; with
/// nothing selected they do nothing.
class TESSARO_EXPORT ListView : public QTableView {
    Q_OBJECT
    Q_PROPERTY(double Left READ Left WRITE setLeft)
    Q_PROPERTY(double Top READ Top WRITE setTop)
    Q_PROPERTY(double Width READ Width WRITE setWidth)
    Q_PROPERTY(double Height READ Height WRITE setHeight)
    Q_PROPERTY(bool Visible READ Visible WRITE setVisible)
    Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer)
    Q_PROPERTY(bool Sorted READ Sorted WRITE setSorted)
    Q_PROPERTY(int SortKey READ SortKey WRITE setSortKey)
    Q_PROPERTY(int SortOrder READ SortOrder WRITE setSortOrder)
    Q_PROPERTY(int View READ View WRITE setView)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(bool CheckBoxes READ CheckBoxes WRITE setCheckBoxes)
    Q_PROPERTY(QColor BackColor READ BackColor WRITE setBackColor)

public:
    explicit ListView(QWidget* parent = nullptr);
    ~ListView() override;
    ListView(const ListView&) = delete;
    ListView& operator=(const ListView&) = delete;

    tessaro::ColumnHeaders& ColumnHeaders();
    const tessaro::ColumnHeaders& ColumnHeaders() const;
    tessaro::ListItems& ListItems();
    const tessaro::ListItems& ListItems() const;

    /// The icons that items show by their SmallIcon number; none by default.
    std::shared_ptr<ImageList> SmallIcons() const;
    void setSmallIcons(std::shared_ptr<ImageList> images);

    enum : int { Ascending = 0, Descending = 1 }; ///< SortOrder values
    /// With Sorted on, the items are ordered by the texts of column SortKey + 1 (0 the item
    /// text, k sub-item k), ascending for SortOrder 0, descending for 1. The order is applied
    /// when Sorted is set on and when SortKey or SortOrder changes while it is on. Items keep
    /// their identity. A negative SortKey or a SortOrder other than 0 or 1 throws Error 380.
    bool Sorted() const;
    void setSorted(bool sorted);
    int SortKey() const;
    void setSortKey(int key);
    int SortOrder() const;
    void setSortOrder(int order);

    /// The current item when it is selected, else the first selected item, else nullptr.
    ListItem* SelectedItem() const;
    /// Makes `item` the current item and selects it; nullptr clears the selection.
    void setSelectedItem(ListItem* item);
    /// Applies pending selection changes and repaints.
    void Refresh();

    /// Many items are about to be added: views hear of them in one insertion at endBulkAdd()
    /// rather than one per Add. Calls nest; the items can be read and changed meanwhile.
    void beginBulkAdd();
    void endBulkAdd();

    enum : int { ReportView = 3 };
    /// 0 icon, 1 small icon, 2 list, 3 report: every view shows as a report. Others throw 380.
    int View() const;
    void setView(int view);
    enum : int { NoBorder = 0, FixedSingle = 1 };
    /// NoBorder or FixedSingle (the default). Others throw Error 380.
    int BorderStyle() const;
    void setBorderStyle(int style);
    /// Shows a check box in front of every item (ListItem::Checked).
    bool CheckBoxes() const;
    void setCheckBoxes(bool on);
    /// The colour behind the items.
    QColor BackColor() const;
    void setBackColor(const QColor& colour);

    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void setLeft(double twips);
    void setTop(double twips);
    /// A negative width or height throws Error 380 and changes nothing.
    void setWidth(double twips);
    void setHeight(double twips);
    void Move(double left, double top, double width, double height);
    /// The list's own visibility flag.
    bool Visible() const;
    /// 0 default, 11 hourglass, 99 hand.
    int MousePointer() const;
    void setMousePointer(int pointer);

    /// The column-header bar.
    QHeaderView* header() const;
    /// As QTableView's, except after rows appended below the last row on screen: then only the
    /// scroll bars follow, and the viewport is not repainted.
    void doItemsLayout() override;

signals:
    /// The user clicked a column header.
    void ColumnClick(tessaro::ColumnHeader* header);
    /// The user clicked an item.
    void ItemClick(tessaro::ListItem* item);
    /// The user double-clicked anywhere in the list.
    void DblClick();
    /// A key went up while the list had the focus: keyCode as a virtual key code (46
    /// Delete, letters and digits their upper-case character code, Qt's code for keys without
    /// one), shift as 1 Shift + 2 Ctrl + 4 Alt.
    void KeyUp(int keyCode, int shift);
    void GotFocus();
    void LostFocus();

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;

private:
    bool appendsOutOfSight() const;
    bool keyForFeatures(QKeyEvent* event);
    void selectEndRow(QKeyEvent* event);
    void copySelectedRows();
    friend class listview::ListKeys;
    friend class listview::RowAppender;
    struct Private;
    std::unique_ptr<Private> const d;
};

} // namespace tessaro
