#include <tessaro/collColonne.h>

#include "platform/Failure.h"

#include <algorithm>
#include <cmath>

namespace tessaro {
namespace {

struct Entry {
    QString key; // empty: reached by position only
    std::shared_ptr<clsColonna> column;
};

bool isPosition(const QVariant& indexOrKey)
{
    const QMetaType::Type type = static_cast<QMetaType::Type>(indexOrKey.typeId());
    return type != QMetaType::QString && type != QMetaType::QByteArray && indexOrKey.canConvert<double>();
}

} // namespace

struct collColonne::Private {
    std::vector<Entry> entries;

    std::size_t indexOf(const QVariant& indexOrKey) const
    {
        if (isPosition(indexOrKey)) {
            // A fractional position is taken to the nearest whole one, halves away from zero.
            const double position = indexOrKey.toDouble();
            const long long rounded = std::llround(position);
            if (rounded < 1 || rounded > static_cast<long long>(entries.size()))
                raiseError(Error::SubscriptOutOfRange);
            return static_cast<std::size_t>(rounded - 1);
        }
        const QString key = indexOrKey.toString();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (!entries[i].key.isEmpty() && entries[i].key.compare(key, Qt::CaseInsensitive) == 0)
                return i;
        }
        raiseError(Error::InvalidProcedureCall);
    }
};

collColonne::collColonne() : d(std::make_unique<Private>()) {}
collColonne::~collColonne() = default;

std::shared_ptr<clsColonna> collColonne::Add(const QString& Intestazione, int Larghezza,
                                             const QString& Formattazione, const QString& sKey)
{
    auto column = std::make_shared<clsColonna>();
    column->setIntestazione(Intestazione);
    column->setLarghezza(Larghezza);
    column->setFormattazione(Formattazione);
    const auto sameKey = [&](const Entry& entry) { return entry.key.compare(sKey, Qt::CaseInsensitive) == 0; };
    if (!sKey.isEmpty() && std::any_of(d->entries.begin(), d->entries.end(), sameKey))
        raiseError(Error::KeyAlreadyAssociated);
    d->entries.push_back({sKey, column});
    return column;
}

std::shared_ptr<clsColonna> collColonne::Item(const QVariant& vntIndexKey) const
{
    return d->entries[d->indexOf(vntIndexKey)].column;
}

int collColonne::Count() const
{
    return static_cast<int>(d->entries.size());
}

void collColonne::Remove(const QVariant& vntIndexKey)
{
    d->entries.erase(d->entries.begin() + static_cast<std::ptrdiff_t>(d->indexOf(vntIndexKey)));
}

std::vector<std::shared_ptr<clsColonna>> collColonne::NewEnum() const
{
    std::vector<std::shared_ptr<clsColonna>> columns;
    columns.reserve(d->entries.size());
    for (const Entry& entry : d->entries)
        columns.push_back(entry.column);
    return columns;
}

} // namespace tessaro
