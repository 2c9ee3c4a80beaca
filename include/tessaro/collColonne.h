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
///
/// In the control (Tessaro::Columns) Init_class makes one descriptor per field of the query, the
/// key's included, so that Item(k) describes field k and the last one describes no field.
class TESSARO_EXPORT collColonne {
public:
    /// An empty collection.
    collColonne();
    /// Destroys the collection; descriptors still pointed to elsewhere live on.
    ~collColonne();
    /// Not copyable: shared through std::shared_ptr.
    collColonne(const collColonne&) = delete;
    /// Not copyable.
    collColonne& operator=(const collColonne&) = delete;

    /// Appends a descriptor with the given caption, width and format; an empty `sKey` stores it
    /// without a key.
    std::shared_ptr<clsColonna> Add(const QString& Intestazione, int Larghezza,
                                    const QString& Formattazione, const QString& sKey = {});

    /// The entry at a position (a number, from 1) or with a key (a text). Throws Error 9 for a
    /// position outside 1 … Count(), Error 5 for an unknown key.
    std::shared_ptr<clsColonna> Item(const QVariant& vntIndexKey) const;

    /// The number of entries.
    int Count() const;

    /// Removes the entry at a position or with a key; fails as Item().
    void Remove(const QVariant& vntIndexKey);

    /// A snapshot of the entries in order, for walking them.
    std::vector<std::shared_ptr<clsColonna>> NewEnum() const;

private:
    struct Private;
    std::unique_ptr<Private> const d;
};

} // namespace tessaro
