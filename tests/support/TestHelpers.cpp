#include "support/TestHelpers.h"

#include <QFile>
#include <gtest/gtest.h>

namespace tessaro::test {

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(content), content.size());
}

void writeTestLanguage(const QString& folder, const QByteArray& strings)
{
    writeFile(folder + QStringLiteral("/LangSetting.ini"), "[Language]\nCurrentLanguage=Test\n");
    writeFile(folder + QStringLiteral("/Test.lng"), "[Strings]\n" + strings);
}

} // namespace tessaro::test
