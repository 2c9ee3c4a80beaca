#include <tessaro/PropertyBag.h>

#include "platform/Failure.h"

#include <QDataStream>
#include <QIODevice>
#include <QVariantMap>

namespace tessaro {
namespace {

// Marks the byte form, so a stranger's bytes are refused rather than half read.
constexpr quint32 kMagic = 0x54425047; // "TBPG"
constexpr quint16 kFormat = 1;

// A Long 1 equals a 16-bit default of 1: stored numbers compare by value, not by type.
bool sameValue(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull() && a.toString() == b.toString();
    return QVariant::compare(a, b) == QPartialOrdering::Equivalent || a == b;
}

} // namespace

struct PropertyBag::Private {
    QVariantMap values;
};

PropertyBag::PropertyBag() : d(std::make_unique<Private>()) {}
PropertyBag::PropertyBag(const PropertyBag& other) : d(std::make_unique<Private>(*other.d)) {}
PropertyBag& PropertyBag::operator=(const PropertyBag& other)
{
    *d = *other.d;
    return *this;
}
PropertyBag::~PropertyBag() = default;

QVariant PropertyBag::ReadProperty(const QString& name, const QVariant& defaultValue) const
{
    const auto it = d->values.constFind(name);
    return it == d->values.constEnd() ? defaultValue : *it;
}

void PropertyBag::WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue)
{
    if (sameValue(value, defaultValue))
        d->values.remove(name);
    else
        d->values.insert(name, value);
}

int PropertyBag::Count() const
{
    return static_cast<int>(d->values.size());
}

QByteArray PropertyBag::serialise() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << kMagic << kFormat << d->values;
    return bytes;
}

PropertyBag PropertyBag::deserialise(const QByteArray& bytes)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    quint16 format = 0;
    PropertyBag bag;
    in >> magic >> format;
    if (magic != kMagic || format != kFormat)
        raiseError(Error::TypeMismatch);
    in >> bag.d->values;
    if (in.status() != QDataStream::Ok)
        raiseError(Error::TypeMismatch);
    return bag;
}

} // namespace tessaro
