#pragma once

#include <tessaro/Error.h>

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tessaro::test {

/// Writes `content` to a new file at `path`, failing the test when it cannot.
void writeFile(const QString& path, const QByteArray& content);

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

} // namespace tessaro::test
