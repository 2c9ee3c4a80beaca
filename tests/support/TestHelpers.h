#pragma once

#include <tessaro/Error.h>

#include <QByteArray>
#include <QString>

namespace tessaro::test {

/// Writes `content` to a new file at `path`, failing the test when it cannot.
void writeFile(const QString& path, const QByteArray& content);

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
