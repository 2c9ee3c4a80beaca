#include "support/TestHelpers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

namespace tessaro::test {

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(content), content.size());
}

QString backslashed(const QString& path)
{
    return QString(path).replace(QLatin1Char('/'), QLatin1Char('\\'));
}

QString writeFileIn(const QString& folder, const QString& name, const QByteArray& content)
{
    const QString path = QDir(folder).filePath(name);
    writeFile(path, content);
    return backslashed(path);
}

void dateBack(const QString& path, qint64 seconds)
{
    QFile file(QString(path).replace(QLatin1Char('\\'), QLatin1Char('/')));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite)) << path.toStdString();
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-seconds), QFileDevice::FileModificationTime));
}

void writeTestLanguage(const QString& folder, const QByteArray& strings)
{
    writeFile(folder + QStringLiteral("/LangSetting.ini"), "[Language]\nCurrentLanguage=Test\n");
    writeFile(folder + QStringLiteral("/Test.lng"), "[Strings]\n" + strings);
}

QStringList rememberedSettings(const QString& application, const QString& group)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tessaro"), application);
    settings.beginGroup(group);
    QStringList entries;
    for (const QString& key : settings.childKeys())
        entries << key + QLatin1Char('=') + settings.value(key).toString();
    entries.sort();
    return entries;
}

} // namespace tessaro::test
