#pragma once

#include <QString>

namespace demo {

/// Where the demo keeps its sample database and language files (created on first run).
QString dataDirectory();

/// Creates the sample orders database at `path` unless it exists; returns false with `error`
/// set when it cannot be written.
bool ensureSampleDatabase(const QString& path, int orders, QString* error);

/// Writes LangSetting.ini and the Italian and English language files into `directory` unless
/// they exist, choosing `language` ("Italiano" or "English") as the current one.
bool ensureLanguageFiles(const QString& directory, QString* error);

/// Makes `language` the current one in `directory`'s LangSetting.ini.
bool chooseLanguage(const QString& directory, const QString& language, QString* error);

/// The demo's default query over the sample.
QString sampleQuery();

} // namespace demo
