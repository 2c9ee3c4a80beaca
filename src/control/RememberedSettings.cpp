#include "control/RememberedSettings.h"

#include "platform/format/Conversions.h"
#include "platform/Failure.h"
#include "platform/files/SettingsStore.h"

namespace tessaro {
namespace {

// The component's own title: shared by every host that gives no application title.
const QString kComponentTitle = QStringLiteral("Tessaro");
// The significant digits a single-precision number is printed with.
constexpr int kSinglePrecisionDigits = 7;

// Widths are written as single-precision numbers in the user's number format, without a
// decimal part when whole.
QString widthText(double twips)
{
    return QLocale().toString(static_cast<float>(twips), 'g', kSinglePrecisionDigits)
        .remove(QLocale().groupSeparator());
}

} // namespace

RememberedSettings::RememberedSettings(const QWidget& control, tessaro::ListView& list)
    : m_control(control), m_list(list)
{
}

void RememberedSettings::setApplication(const QString& AppTitle, bool NonMemorizzareDimensioni)
{
    m_appTitle = AppTitle;
    m_noWidths = NonMemorizzareDimensioni;
}

QString RememberedSettings::applicationName() const
{
    return m_appTitle.isEmpty() ? kComponentTitle : m_appTitle;
}

void RememberedSettings::readRememberedPaged(bool& paged) const
{
    const QString stored = GetSetting(applicationName(), m_control.objectName(), QStringLiteral("Paged"));
    if (stored == QLatin1String("True"))
        paged = true;
    else if (stored == QLatin1String("False"))
        paged = false;
}

void RememberedSettings::restoreRememberedWidths() const
{
    const int columns = m_list.ColumnHeaders().Count();
    for (int i = 1; i <= columns; ++i) {
        const QString stored = GetSetting(applicationName(), m_control.objectName(), QString::number(i));
        if (!stored.isEmpty())
            m_list.ColumnHeaders().Item(i)->setWidth(CSng(stored));
    }
}

void RememberedSettings::saveRememberedSettings(bool paged) const
{
    const QString application = applicationName();
    const QString section = m_control.objectName();
    skipFailure("saveRememberedSettings", [&] {
        SaveSetting(application, section, QStringLiteral("Paged"), paged ? QStringLiteral("True") : QStringLiteral("False"));
    });
    if (m_noWidths)
        return;
    const int columns = m_list.ColumnHeaders().Count();
    for (int i = 1; i <= columns; ++i) {
        skipFailure("saveRememberedSettings", [&] {
            SaveSetting(application, section, QString::number(i), widthText(m_list.ColumnHeaders().Item(i)->Width()));
        });
    }
}

} // namespace tessaro
