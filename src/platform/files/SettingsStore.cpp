#include "platform/files/SettingsStore.h"

#include "platform/Failure.h"

#include <QSettings>

namespace tessaro {
namespace {

QString settingPath(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}

} // namespace

QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& defaultValue)
{
    if (application.isEmpty() || section.isEmpty() || key.isEmpty())
        return defaultValue;
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tessaro"), application);
    if (settings.status() != QSettings::NoError)
        return defaultValue;
    return settings.value(settingPath(section, key), defaultValue).toString();
}

void SaveSetting(const QString& application, const QString& section, const QString& key, const QString& value)
{
    if (application.isEmpty() || section.isEmpty() || key.isEmpty())
        raiseError(Error::InvalidProcedureCall);
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tessaro"), application);
    settings.setValue(settingPath(section, key), value);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        raiseError(Error::PathFileAccess);
}

} // namespace tessaro
