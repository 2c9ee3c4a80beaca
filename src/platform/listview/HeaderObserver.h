#pragma once

// What a column header tells the list when code changes it.

namespace tessaro {
class ColumnHeader;
}

namespace tessaro::listview {

class HeaderObserver {
public:
    virtual ~HeaderObserver() = default;
    virtual void headerTextChanged(ColumnHeader& header) = 0;
    virtual void headerWidthChanged(ColumnHeader& header) = 0;
    virtual void headerAlignmentChanged(ColumnHeader& header) = 0;

protected:
    HeaderObserver() = default;
    HeaderObserver(const HeaderObserver&) = default;
    HeaderObserver& operator=(const HeaderObserver&) = default;
};

} // namespace tessaro::listview
