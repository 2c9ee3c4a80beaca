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

} // namespace tessaro::test
