#include "control/TessaroPrivate.h"

#include "platform/format/Conversions.h"
#include "platform/Failure.h"
#include "platform/files/SettingsStore.h"

namespace tessaro {
namespace {

// The component's own title: shared by every host that gives no application title.
const QString kComponentTitle = QStringLiteral("Tessaro");

// Widths are written as single-precision numbers in the user's number format, without a
// decimal part when whole.
QString widthText(double twips)
{
    return QLocale().toString(static_cast<float>(twips), 'g', 7).remove(QLocale().groupSeparator());
}

} // namespace

QString Tessaro::applicationName() const
{
    return d->AppTitle.isEmpty() ? kComponentTitle : d->AppTitle;
}

void Tessaro::readRememberedPaged()
{
    const QString application = applicationName();
    const QString section = objectName();
    if (GetSetting(application, section, QStringLiteral("Paged")) == QLatin1String("True"))
        d->results.page.paged = true;
    else if (GetSetting(application, section, QStringLiteral("Paged")) == QLatin1String("False"))
        d->results.page.paged = false;
}

void Tessaro::restoreRememberedWidths()
{
    const int columns = d->lstv->ColumnHeaders().Count();
    for (int i = 1; i <= columns; ++i) {
        const QString stored = GetSetting(applicationName(), objectName(), QString::number(i));
        if (!stored.isEmpty())
            d->lstv->ColumnHeaders().Item(i)->setWidth(CSng(stored));
    }
}

void Tessaro::saveRememberedSettings()
{
    const QString application = applicationName();
    const QString section = objectName();
    skipFailure([&] {
        SaveSetting(application, section, QStringLiteral("Paged"), d->results.page.paged ? QStringLiteral("True") : QStringLiteral("False"));
    });
    if (d->NonMemorizzareDimensioni)
        return;
    const int columns = d->lstv->ColumnHeaders().Count();
    for (int i = 1; i <= columns; ++i) {
        skipFailure([&] {
            SaveSetting(application, section, QString::number(i), widthText(d->lstv->ColumnHeaders().Item(i)->Width()));
        });
    }
}

} // namespace tessaro
