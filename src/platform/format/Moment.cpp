#include "platform/format/Moment.h"

#include "platform/Failure.h"

#include <cmath>

namespace tessaro::format {
namespace {

constexpr double secondsPerDay = 86400.0;
// Serials of 1 January 100 and of the last second of 31 December 9999.
constexpr double firstSerial = -657434.0;
constexpr double lastSerial = 2958465.99999;

} // namespace

Moment momentAt(const QDate& date, const QTime& time)
{
    if (!time.isValid())
        return Moment{date, QTime(0, 0)};
    const QTime whole(time.hour(), time.minute(), time.second());
    if (time.msec() < 500)
        return Moment{date, whole};
    const QTime next = whole.addSecs(1);
    return Moment{next < whole ? date.addDays(1) : date, next};
}

double dateSerial(const Moment& moment)
{
    const double days = static_cast<double>(dayZero().daysTo(moment.date));
    const double fraction = moment.time.msecsSinceStartOfDay() / (secondsPerDay * 1000.0);
    return days < 0 ? days - fraction : days + fraction;
}

Moment momentFromSerial(double serial)
{
    if (!std::isfinite(serial) || serial < firstSerial - 1 || serial > lastSerial)
        raiseError(Error::Overflow);
    const double wholeDays = std::trunc(serial);
    auto seconds = static_cast<qint64>(std::llround(std::fabs(serial - wholeDays) * secondsPerDay));
    qint64 days = static_cast<qint64>(wholeDays);
    // The time always runs forwards from the day's midnight, so a rounding carry is the next day.
    if (seconds >= static_cast<qint64>(secondsPerDay)) {
        seconds -= static_cast<qint64>(secondsPerDay);
        ++days;
    }
    const QDate date = dayZero().addDays(days);
    if (date.year() < 100 || date.year() > 9999)
        raiseError(Error::Overflow);
    return Moment{date, QTime(0, 0).addSecs(static_cast<int>(seconds))};
}

} // namespace tessaro::format
