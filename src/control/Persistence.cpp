#include "control/TessaroPrivate.h"

#include "platform/format/Conversions.h"
#include "platform/Failure.h"

namespace tessaro {
namespace {

const QString kQueryDefault = QStringLiteral("Inserire la query");
// The saved page number's default is a 16-bit integer, as the property bag was designed.
const QVariant kAbsolutePageDefault = QVariant::fromValue<qint16>(1);

} // namespace

// A stored value that does not convert leaves its property as it was.
void Tessaro::ReadProperties(const PropertyBag& bag)
{
    const SkipFailures skip;
    skip([&] { setQuery(bag.ReadProperty(QStringLiteral("Query"), kQueryDefault).toString()); });
    skip([&] { setPaged(CBool(bag.ReadProperty(QStringLiteral("Paged"), false))); });
    skip([&] { setAbsolutePage(CLng(bag.ReadProperty(QStringLiteral("AbsolutePage"), kAbsolutePageDefault))); });
}

void Tessaro::WriteProperties(PropertyBag& bag)
{
    bag.WriteProperty(QStringLiteral("Query"), Query(), kQueryDefault);
    bag.WriteProperty(QStringLiteral("Paged"), Paged(), false);
    bag.WriteProperty(QStringLiteral("AbsolutePage"), AbsolutePage(), kAbsolutePageDefault);
}

} // namespace tessaro
