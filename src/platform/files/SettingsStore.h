#pragma once

// The per-user settings store: texts addressed by application name, section and key, kept in
// QSettings(IniFormat, UserScope, "Tessaro", application).

#include <QString>

namespace tessaro {

/// The stored text, or `defaultValue` when there is none or the store cannot be read.
QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& defaultValue = {});

/// Stores `value`. Throws Error 5 for an empty application, section or key, and Error 75
/// ("Path/File access error") when the store cannot be written.
void SaveSetting(const QString& application, const QString& section, const QString& key, const QString& value);

} // namespace tessaro
