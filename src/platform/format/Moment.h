#pragma once

// A date with a time of day as the format engine sees it: wall-clock fields, no time zone, whole
// seconds (dates carry no finer time).

#include <QDate>
#include <QTime>

namespace tessaro::format {

struct Moment {
    QDate date;
    QTime time{0, 0};
};

/// Day zero of the date serials, 30 December 1899: a date-time on it shows only its time.
inline QDate dayZero() { return QDate(1899, 12, 30); }

/// A date and time rounded to the nearest second; a time that rounds up to midnight moves the
/// date to the next day. An invalid time counts as midnight.
Moment momentAt(const QDate& date, const QTime& time);

/// The date serial: days since 30 December 1899, the time of day as the fraction. For days before
/// day zero the fraction still counts forwards from that day's midnight (-1.25 is 29 December 1899
/// at 06:00).
double dateSerial(const Moment& moment);

/// The moment of a date serial, to the nearest second. Throws Error 6 (overflow) outside the
/// range of dates, 1 January 100 to 31 December 9999, or for a value that is not finite.
Moment momentFromSerial(double serial);

} // namespace tessaro::format
