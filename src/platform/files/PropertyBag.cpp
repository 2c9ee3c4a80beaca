#include <tessaro/PropertyBag.h>

#include "platform/Failure.h"

#include <QDataStream>
#include <QIODevice>
#include <QMetaType>
#include <QVariantMap>

namespace tessaro {
namespace {

// Marks the byte form, so a stranger's bytes are refused rather than half read.
constexpr quint32 kMagic = 0x54425047; // "TBPG"
constexpr quint16 kFormat = 1;

// A 32-bit 1 equals a 16-bit default of 1: stored numbers compare by value, not by type.
bool sameValue(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull() && a.toString() == b.toString();
    return QVariant::compare(a, b) == QPartialOrdering::Equivalent || a == b;
}

// Outside bytes may claim containers nested far deeper than the stack holds, or element counts
// that the stream reserves room for before reading a byte. So the stored values are walked once
// as the stream would read them, refusing such claims, before the stream reads them for real.
constexpr int kMaxNesting = 64;
// The fewest bytes one element of a list can take: a stored value's type and null flag.
constexpr qint64 kMinValueBytes = 5;
// A point of a polygon: two 32-bit or two 64-bit coordinates.
constexpr qint64 kPointBytes = 8;
constexpr qint64 kPointFBytes = 16;
// A string or byte array: its length.
constexpr qint64 kMinTextBytes = 4;

bool walkValue(QDataStream& in, int depth);

// Reads a count and checks that so many elements of at least `elementBytes` each can follow.
bool readCount(QDataStream& in, qint64 elementBytes, quint32& count)
{
    in >> count;
    const qint64 left = in.device()->bytesAvailable();
    return in.status() == QDataStream::Ok && qint64(count) * elementBytes <= left;
}

// A list's values, or a map's keys and values.
bool walkElements(QDataStream& in, int depth, bool keyed)
{
    quint32 count = 0;
    if (!readCount(in, (keyed ? kMinTextBytes : 0) + kMinValueBytes, count))
        return false;
    for (quint32 i = 0; i < count; ++i) {
        QString key;
        if (keyed)
            in >> key;
        if (in.status() != QDataStream::Ok || !walkValue(in, depth + 1))
            return false;
    }
    return true;
}

// Any other type is read by the stream itself; those it reads as a list have their count checked.
bool walkOther(QDataStream& in, int typeId)
{
    const QMetaType type(typeId);
    if (!type.isValid())
        return true; // read as an invalid value, from no bytes
    const qint64 elementBytes = typeId == QMetaType::QStringList || typeId == QMetaType::QByteArrayList ? kMinTextBytes
        : typeId == QMetaType::QPolygon ? kPointBytes : typeId == QMetaType::QPolygonF ? kPointFBytes : 0;
    if (elementBytes > 0) {
        const qint64 start = in.device()->pos();
        quint32 count = 0;
        if (!readCount(in, elementBytes, count))
            return false;
        in.device()->seek(start);
    }
    QVariant scratch(type);
    return type.load(in, scratch.data()) && in.status() == QDataStream::Ok;
}

bool walkValue(QDataStream& in, int depth)
{
    quint32 typeId = 0;
    qint8 isNull = 0;
    in >> typeId >> isNull;
    if (in.status() != QDataStream::Ok || depth > kMaxNesting)
        return false;
    if (typeId == QMetaType::User) {
        QByteArray name;
        in >> name;
        typeId = QMetaType::fromName(name).id();
        if (typeId == QMetaType::UnknownType)
            return false;
    }
    switch (typeId) {
    case QMetaType::QVariantList: return walkElements(in, depth, false);
    case QMetaType::QVariantMap:
    case QMetaType::QVariantHash: return walkElements(in, depth, true);
    case QMetaType::QVariantPair: return walkValue(in, depth + 1) && walkValue(in, depth + 1);
    default: return walkOther(in, int(typeId));
    }
}

// Whether the stored values that follow the header can be read safely.
bool valuesAreSound(const QByteArray& bytes, qint64 start)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    in.device()->seek(start);
    return walkElements(in, 0, true);
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
    if (magic != kMagic || format != kFormat || !valuesAreSound(bytes, in.device()->pos()))
        raiseError(Error::TypeMismatch);
    in >> bag.d->values;
    if (in.status() != QDataStream::Ok)
        raiseError(Error::TypeMismatch);
    return bag;
}

} // namespace tessaro
