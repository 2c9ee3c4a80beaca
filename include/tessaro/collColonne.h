#pragma once

#include <tessaro/clsColonna.h>
#include <tessaro/tessaro_export.h>

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

namespace tessaro {

/// The ordered column descriptors of the control. Positions count from 1 in order of insertion
/// and removal closes the gap; an entry may carry a text key, unique in the collection and
/// compared without regard to case. Entries are shared: what Add and Item return is the stored
/// descriptor itself. Nothing is trapped: a bad position (Error 9), an unknown key (Error 5) or
/// a key already in use (Error 457) reaches the caller, and a failed Add changes nothing.
class TESSARO_EXPORT collColonne {
public:
    collColonne();
    ~collColonne();
    collColonne(const collColonne&) = delete;
    collColonne& operator=(const collColonne&) = delete;

    /// Appends a descriptor with the given caption, width and format; an empty `sKey` stores it
    /// without a key.
    std::shared_ptr<clsColonna> Add(const QString& Intestazione, int Larghezza,
                                    const QString& Formattazione, const QString& sKey = {});

    /// The entry at a position (a number) or with a key (a text).
    std::shared_ptr<clsColonna> Item(const QVariant& vntIndexKey) const;

    int Count() const;

    /// Removes the entry at a position or with a key.
    void Remove(const QVariant& vntIndexKey);

    /// A snapshot of the entries in order, for walking them.
    std::vector<std::shared_ptr<clsColonna>> NewEnum() const;

private:
    struct Private;
    std::unique_ptr<Private> const d;
};

} // namespace tessaro
