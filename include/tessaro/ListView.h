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
/// Keys: Ctrl+Home and Ctrl+End make the first or the last row current and the only one
/// selected (raising no ItemClick, as the other moving keys raise none). The
/// platform's Copy key (Ctrl+C) and the Copy entry of the list's context menu put the selected
/// rows on the clipboard as tab-separated text under a heading line, and as an HTML table; with
/// nothing selected they do nothing.
///
/// In the control (Tessaro::ListView) the list is owned by the control and filled by it: every
/// load clears the items and adds one per row, and column k describes field k of the query. A
/// host may read and change the items and headers between loads. Errors raised here are
/// thrown to the caller as tessaro::Error.
class TESSARO_EXPORT ListView : public QTableView {
    Q_OBJECT
    /// Distance from the parent's left edge in twips; see Left().
    Q_PROPERTY(double Left READ Left WRITE setLeft)
    /// Distance from the parent's top edge in twips; see Top().
    Q_PROPERTY(double Top READ Top WRITE setTop)
    /// Width in twips; see Width().
    Q_PROPERTY(double Width READ Width WRITE setWidth)
    /// Height in twips; see Height().
    Q_PROPERTY(double Height READ Height WRITE setHeight)
    /// The list's own visibility flag; see Visible().
    Q_PROPERTY(bool Visible READ Visible WRITE setVisible)
    /// The pointer over the list; see MousePointer().
    Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer)
    /// Whether the items are kept in order; see Sorted().
    Q_PROPERTY(bool Sorted READ Sorted WRITE setSorted)
    /// The column the order follows; see SortKey().
    Q_PROPERTY(int SortKey READ SortKey WRITE setSortKey)
    /// Ascending or descending; see SortOrder().
    Q_PROPERTY(int SortOrder READ SortOrder WRITE setSortOrder)
    /// The view kind; see View().
    Q_PROPERTY(int View READ View WRITE setView)
    /// The border; see BorderStyle().
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)
    /// Check boxes in front of the items; see CheckBoxes().
    Q_PROPERTY(bool CheckBoxes READ CheckBoxes WRITE setCheckBoxes)
    /// The colour behind the items; see BackColor().
    Q_PROPERTY(QColor BackColor READ BackColor WRITE setBackColor)

public:
    /// An empty list: no headers, no items, not sorted, report view, FixedSingle border.
    explicit ListView(QWidget* parent = nullptr);
    /// Destroys the list with its items and headers.
    ~ListView() override;
    /// Not copyable.
    ListView(const ListView&) = delete;
    /// Not copyable.
    ListView& operator=(const ListView&) = delete;

    /// The column headers, one per list column, counted from 1.
    tessaro::ColumnHeaders& ColumnHeaders();
    /// The column headers, read-only.
    const tessaro::ColumnHeaders& ColumnHeaders() const;
    /// The items (rows), counted from 1 in list order.
    tessaro::ListItems& ListItems();
    /// The items, read-only.
    const tessaro::ListItems& ListItems() const;

    /// The icons that items show by their SmallIcon number; none by default. While the list has
    /// them, an item without a valid number keeps an icon's room empty, in line with the others.
    std::shared_ptr<ImageList> SmallIcons() const;
    /// Shares `images` with the list; null shows no icons.
    void setSmallIcons(std::shared_ptr<ImageList> images);

    /// SortOrder values.
    enum : int { Ascending = 0, Descending = 1 }; ///< SortOrder values
    /// With Sorted on, the items are ordered by the texts of column SortKey + 1 (0 the item
    /// text, k sub-item k), ascending for SortOrder 0, descending for 1. The order is applied
    /// when Sorted is set on and when SortKey or SortOrder changes while it is on. Items keep
    /// their identity. A negative SortKey or a SortOrder other than 0 or 1 throws Error 380.
    bool Sorted() const;
    /// Turns the order on or off.
    void setSorted(bool sorted);
    /// The column the order follows, from 0 (the item text); 0 by default.
    int SortKey() const;
    /// Sets the order's column; throws Error 380 for a negative key.
    void setSortKey(int key);
    /// Ascending (the default) or Descending.
    int SortOrder() const;
    /// Sets the direction; throws Error 380 for anything but 0 or 1.
    void setSortOrder(int order);
    /// Whether the items come in the order of SortKey and SortOrder already (their source sorted
    /// them): the header then shows that sort indicator while Sorted is off. False by default;
    /// turning Sorted on turns it off.
    bool Presorted() const;
    /// See Presorted().
    void setPresorted(bool presorted);

    /// The current item when it is selected, else the first selected item, else nullptr.
    ListItem* SelectedItem() const;
    /// Makes `item` the current item and selects it; nullptr clears the selection.
    void setSelectedItem(ListItem* item);
    /// Applies pending selection changes and repaints.
    void Refresh();

    /// Many items are about to be added: views hear of them in one insertion at endBulkAdd()
    /// rather than one per Add. Calls nest; the items can be read and changed meanwhile.
    void beginBulkAdd();
    /// Ends one beginBulkAdd().
    void endBulkAdd();

    /// View values, from the first to the last valid one.
    enum : int { IconView = 0, SmallIconView = 1, PlainListView = 2, ReportView = 3 };
    /// IconView, SmallIconView, PlainListView or ReportView: every view shows as a report. Others
    /// throw 380.
    int View() const;
    /// Sets View(); a value outside IconView to ReportView throws Error 380.
    void setView(int view);
    /// BorderStyle values.
    enum : int { NoBorder = 0, FixedSingle = 1 };
    /// NoBorder or FixedSingle (the default). Others throw Error 380. The control's fill sets
    /// NoBorder.
    int BorderStyle() const;
    /// Sets BorderStyle(); others than NoBorder and FixedSingle throw Error 380.
    void setBorderStyle(int style);
    /// Shows a check box in front of every item (ListItem::Checked); off by default.
    bool CheckBoxes() const;
    /// Shows or hides the check boxes; the items keep their Checked state.
    void setCheckBoxes(bool on);
    /// The colour behind the items.
    QColor BackColor() const;
    /// Sets the colour behind the items.
    void setBackColor(const QColor& colour);
    /// The caption of the context menu's copy entry: "Copia" until set (the control sets it
    /// from its language file).
    QString CopyCaption() const;
    /// Sets CopyCaption(); the next menu shows it.
    void setCopyCaption(const QString& caption);

    /// Distance from the parent's left edge in twips (1440 twips to the logical inch).
    double Left() const;
    /// Distance from the parent's top edge in twips.
    double Top() const;
    /// Width in twips.
    double Width() const;
    /// Height in twips.
    double Height() const;
    /// Moves the list; the value is kept exactly as given.
    void setLeft(double twips);
    /// Moves the list; the value is kept exactly as given.
    void setTop(double twips);
    /// A negative width or height throws Error 380 and changes nothing.
    void setWidth(double twips);
    /// Sets the height in twips; a negative height throws Error 380 and changes nothing.
    void setHeight(double twips);
    /// Sets the four values at once; a negative width or height throws Error 380 and changes
    /// nothing.
    void Move(double left, double top, double width, double height);
    /// The list's own visibility flag.
    bool Visible() const;
    /// 0 default, 11 hourglass, 99 hand.
    int MousePointer() const;
    /// Shows and keeps `pointer` (a PointerShape number; others show the default pointer).
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
    /// The list took the input focus.
    void GotFocus();
    /// The list lost the input focus (the control then saves its remembered settings).
    void LostFocus();

protected:
    /// Claims the Copy key before a host window's shortcut of the same key takes it.
    bool event(QEvent* event) override;
    /// Brings the order and the selection up to date before the viewport paints or handles an
    /// event.
    bool viewportEvent(QEvent* event) override;
    /// Paints the items and frames the current row as a whole.
    void paintEvent(QPaintEvent* event) override;
    /// The list's key handling, on the order and selection brought up to date.
    void keyPressEvent(QKeyEvent* event) override;
    /// Raises KeyUp once a key really goes up (not for auto-repeat).
    void keyReleaseEvent(QKeyEvent* event) override;
    /// Raises DblClick.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    /// Offers Copy for the selected rows.
    void contextMenuEvent(QContextMenuEvent* event) override;
    /// Raises GotFocus.
    void focusInEvent(QFocusEvent* event) override;
    /// Raises LostFocus.
    void focusOutEvent(QFocusEvent* event) override;
    /// Follows a font change in the row height.
    void changeEvent(QEvent* event) override;
    /// The whole viewport: cheaper to repaint than one rectangle per range of scattered rows.
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    /// Keeps the items' Selected state with the view's selection.
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    /// Ctrl+Home and Ctrl+End select the row they reach instead of only moving the focus.
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
