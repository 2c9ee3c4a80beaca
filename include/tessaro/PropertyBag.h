#pragma once

#include <tessaro/tessaro_export.h>

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <memory>

namespace tessaro {

/// The container's store of a control's saved properties: named values, where a value equal to
/// its default is not stored and a missing name reads as the default the reader gives.
/// Concrete and copyable; serialise() and deserialise() let a host keep it in its own files.
///
/// Tessaro::WriteProperties stores "Query", "Paged" and "AbsolutePage" in a bag and
/// Tessaro::ReadProperties reads them back.
class TESSARO_EXPORT PropertyBag {
public:
    /// An empty bag.
    PropertyBag();
    /// A bag with the same entries.
    PropertyBag(const PropertyBag& other);
    /// Takes the entries of `other`.
    PropertyBag& operator=(const PropertyBag& other);
    /// Destroys the bag and its entries.
    ~PropertyBag();

    /// The stored value of `name`, or `defaultValue` when none is stored.
    QVariant ReadProperty(const QString& name, const QVariant& defaultValue = {}) const;

    /// Stores `value` under `name`; a value equal to `defaultValue` removes the entry instead.
    void WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue = {});

    /// Number of stored entries.
    int Count() const;

    /// A self-contained byte form of the stored entries.
    QByteArray serialise() const;

    /// The bag held in `bytes`; throws Error 13 when they are not a serialised bag, or claim
    /// values nested more than 64 deep or more elements than the bytes could hold.
    static PropertyBag deserialise(const QByteArray& bytes);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace tessaro
