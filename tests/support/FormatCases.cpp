#include "support/FormatCases.h"

#include "platform/format/Format.h"

#include <gtest/gtest.h>

namespace tessaro::test {

void expectFormats(const std::vector<FormatCase>& cases)
{
    for (const FormatCase& c : cases) {
        LocaleScope locale(c.locale);
        SCOPED_TRACE(QStringLiteral("%1 | value %2 (%3) | expression \"%4\"")
                         .arg(QLatin1String(c.locale), c.value.toString(), QLatin1String(c.value.typeName()),
                              QString::fromUtf8(c.expression))
                         .toStdString());
        EXPECT_EQ(Format(c.value, QString::fromUtf8(c.expression)).toStdString(), c.expected.toStdString());
    }
}

} // namespace tessaro::test
