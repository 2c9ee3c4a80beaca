#include "control/TessaroPrivate.h"

#include "language/LanguageKeys.h"
#include "platform/sql/Connection.h"
#include "platform/Failure.h"

namespace tessaro {

// A dropped session is noticed by a probe that fails: the connection handle may still claim
// to be open after the server ended it.
bool Tessaro::ConnessioneAttiva()
{
    QSqlDatabase& connection = d->settings.DBConnection;
    auto reopenQuery = [&] {
        skipFailure([&] { d->results.current().Close(); });
        skipFailure([&] { d->results.current().Open(d->settings.Query, connection, 3, 1, -1); });
    };
    {
        Recordset probe;
        skipFailure([&] { probe.Open(QStringLiteral("SELECT 1;"), connection, 1, 1, -1); });
        if (probe.State() == 0) {
            skipFailure([&] { connectionClose(connection); });
            skipFailure([&] { connectionOpen(connection); });
            if (!d->settings.Query.isEmpty())
                reopenQuery();
        }
        skipFailure([&] { probe.Close(); });
    }
    if (!d->settings.Query.isEmpty() && d->results.current().State() == 0) {
        skipFailure([&] { d->results.current().Close(); });
        skipFailure([&] { connectionClose(connection); });
        skipFailure([&] { connectionOpen(connection); });
        skipFailure([&] { d->results.current().Open(d->settings.Query, connection, 3, 1, -1); });
    }
    if (connectionState(connection) != 0)
        return true;
    MsgBox(languageText(LanguageKey::NoConnection), MessageStyle::Exclamation, languageText(LanguageKey::WarningTitle));
    return false;
}

} // namespace tessaro
