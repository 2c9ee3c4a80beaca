#include "control/TessaroPrivate.h"

#include "platform/format/Conversions.h"
#include "platform/Failure.h"

namespace tessaro {
namespace {

const QString kQueryDefault = QStringLiteral("Inserire la query");
// The saved page number's default is a 16-bit integer, as the property bag was designed.
const QVariant kAbsolutePageDefault = QVariant::fromValue<qint16>(1);

} // namespace

void Tessaro::ReadProperties(const PropertyBag& bag)
{
    skipFailure([&] { setQuery(bag.ReadProperty(QStringLiteral("Query"), kQueryDefault).toString()); });
    skipFailure([&] { setPaged(CBool(bag.ReadProperty(QStringLiteral("Paged"), false))); });
    skipFailure([&] { setAbsolutePage(CLng(bag.ReadProperty(QStringLiteral("AbsolutePage"), kAbsolutePageDefault))); });
}

void Tessaro::WriteProperties(PropertyBag& bag)
{
    skipFailure([&] { bag.WriteProperty(QStringLiteral("Query"), Query(), kQueryDefault); });
    skipFailure([&] { bag.WriteProperty(QStringLiteral("Paged"), Paged(), false); });
    skipFailure([&] { bag.WriteProperty(QStringLiteral("AbsolutePage"), AbsolutePage(), kAbsolutePageDefault); });
}

} // namespace tessaro
