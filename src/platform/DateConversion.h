#pragma once

#include <QDateTime>
#include <QVariant>

namespace tessaro {

/// The classic CDate: a date and time from a date value, a date serial number, or a text in
/// the locale's short-date order, ISO form, with a time, or with month names. Throws Error 13
/// when the value is not a date.
QDateTime CDate(const QVariant& value);

/// The general date form: the locale's short date, plus the time when it is not midnight.
QString GeneralDate(const QDateTime& value);

} // namespace tessaro
