#pragma once

#include <tessaro/tessaro_export.h>

#include <QString>
#include <memory>

namespace tessaro {

namespace listview {
class ListCore;
class HeaderObserver;
} // namespace listview

/// One column header of a ListView. Owned by its ColumnHeaders; the pointer stays valid until
/// the header is removed or the headers are cleared.
class TESSARO_EXPORT ColumnHeader {
public:
    /// Destroyed by its ColumnHeaders.
    ~ColumnHeader();
    /// Not copyable: the headers own it.
    ColumnHeader(const ColumnHeader&) = delete;
    /// Not copyable.
    ColumnHeader& operator=(const ColumnHeader&) = delete;

    /// The caption; after the control's fill, the descriptor's Intestazione or the field's name.
    QString Text() const;
    /// Sets the caption.
    void setText(const QString& text);

    /// Width in twips exactly as last set, by code or by the user dragging the header edge (then
    /// the dragged pixels times the twips per pixel). A negative width throws Error 380.
    double Width() const;
    /// Sets the width in twips; throws Error 380 for a negative width.
    void setWidth(double twips);

    /// 0 left (the default), 1 right, 2 centre; applies to the header text and the column's
    /// cells. Any other value throws Error 380.
    int Alignment() const;
    /// Sets the alignment; throws Error 380 for a value other than 0, 1 or 2.
    void setAlignment(int alignment);

    /// Free text kept for the host; the list never reads it. The control's fill stores the
    /// column's TipoCampo there as decimal text ("2" for a date column).
    QString Tag() const;
    /// Keeps `tag`.
    void setTag(const QString& tag);

    /// Position among the headers, counted from 1.
    int Index() const;

private:
    friend class ColumnHeaders;
    friend class listview::ListCore;
    ColumnHeader(listview::HeaderObserver& observer, const QString& text, double widthTwips);

    struct Private;
    std::unique_ptr<Private> const d;
};

/// The column headers of a ListView, in the order added. Column 1 shows the items' own texts,
/// column k + 1 their sub-item k.
class TESSARO_EXPORT ColumnHeaders {
public:
    /// Owned by its list, which destroys it.
    ~ColumnHeaders() = default;
    /// Not copyable: the list owns its headers.
    ColumnHeaders(const ColumnHeaders&) = delete;
    /// Not copyable.
    ColumnHeaders& operator=(const ColumnHeaders&) = delete;

    /// Removes every header; the items keep their texts.
    void Clear();
    /// Appends a header with that text and width in twips (1440, one inch, when not given).
    ColumnHeader* Add(const QString& text = QString(), double widthTwips = 1440);
    /// The number of headers.
    int Count() const;
    /// Header i, counted from 1; throws tessaro::Error 35600 "Index out of bounds" outside
    /// 1 … Count().
    ColumnHeader* Item(int i) const;
    /// Removes header i (fails as Item()); each remaining column keeps its texts.
    void Remove(int i);

    /// The first header, for range-for in column order.
    ColumnHeader* const* begin() const;
    /// Past the last header.
    ColumnHeader* const* end() const;

private:
    friend class listview::ListCore;
    explicit ColumnHeaders(listview::ListCore& core) : m_core(core) {}

    listview::ListCore& m_core;
};

} // namespace tessaro
