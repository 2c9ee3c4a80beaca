#pragma once

#include <tessaro/tessaro_export.h>

#include <QIcon>
#include <memory>

namespace tessaro {

/// Icons numbered from 1, which list items show by number (ListItem::setSmallIcon). Hosts share
/// one list between controls through std::shared_ptr; changes show at the list's next repaint.
class TESSARO_EXPORT ImageList {
public:
    /// An empty list.
    ImageList();
    /// Destroys the icons (when the last std::shared_ptr holding the list goes).
    ~ImageList();
    /// Not copyable: share it through std::shared_ptr.
    ImageList(const ImageList&) = delete;
    /// Not copyable.
    ImageList& operator=(const ImageList&) = delete;

    /// Appends an icon and returns its number (the new Count()).
    int Add(const QIcon& icon);
    /// The number of icons.
    int Count() const;
    /// Icon number i; throws tessaro::Error 35600 "Index out of bounds" outside 1 … Count().
    QIcon Item(int i) const;
    /// Removes icon i; later icons move down by one. Fails as Item().
    void Remove(int i);
    /// Removes every icon.
    void Clear();

private:
    struct Private;
    std::unique_ptr<Private> const d;
};

} // namespace tessaro
