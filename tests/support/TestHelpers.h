#pragma once

#include <tessaro/Error.h>

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tessaro::test {

/// Writes `content` to a new file at `path`, failing the test when it cannot.
void writeFile(const QString& path, const QByteArray& content);

/// `path` with '\' separators, as hosts write the paths they hand over.
QString backslashed(const QString& path);

/// Writes `content` to `name` in `folder` and returns the file's path with '\' separators.
QString writeFileIn(const QString& folder, const QString& name, const QByteArray& content);

/// Dates the last change of the file at `path` (either separator) back by `seconds`, as for a
/// file written before the run.
void dateBack(const QString& path, qint64 seconds);

/// Makes `folder` a language folder whose current language "Test" has the given lines (key=value
/// lines, without the [Strings] heading).
void writeTestLanguage(const QString& folder, const QByteArray& strings);

/// The remembered settings of the instance `group` of `application`, as sorted "key=value" entries.
QStringList rememberedSettings(const QString& application, const QString& group);

/// The number of the tessaro::Error that `call` throws, or 0 when it throws none.
template <class Call>
int errorNumberOf(Call&& call)
{
    try {
        call();
    } catch (const Error& error) {
        return error.number();
    }
    return 0;
}

/// "<number> <description>" of the tessaro::Error that `call` throws; empty when it throws none.
template <class Call>
QString errorTextOf(Call&& call)
{
    try {
        call();
    } catch (const Error& error) {
        return QString::number(error.number()) + QLatin1Char(' ') + error.description();
    }
    return {};
}

} // namespace tessaro::test
