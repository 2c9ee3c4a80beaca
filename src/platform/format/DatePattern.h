#pragma once

// One date/time pattern, read into the tokens it lays out.

#include <QString>
#include <vector>

namespace tessaro::format {

enum class DateToken {
    Literal,
    Day, Day2, DayShortName, DayLongName, ShortDate, LongDate, // d dd ddd dddd ddddd dddddd
    Weekday, Week,                                             // w ww
    Month, Month2, MonthShortName, MonthLongName,              // m mm mmm mmmm
    Quarter, DayOfYear, Year2, Year4,                          // q y yy yyyy
    Hour, Hour2, Minute, Minute2, Second, Second2,             // h hh n nn s ss (and m mm as minutes)
    LongTime, GeneralDate,                                     // ttttt c
    AmPm, LocaleAmPm,                                          // AM/PM am/pm A/P a/p, AMPM
    DateSeparator, TimeSeparator,                              // / :
};

struct DateItem {
    DateToken token = DateToken::Literal;
    QString text;   ///< Literal: its text; AmPm: the morning designator as written
    QString after;  ///< AmPm: the afternoon designator as written
};

struct DatePattern {
    std::vector<DateItem> items;
    bool twelveHour = false; ///< an AM/PM token makes hours run 1 to 12
};

/// Reads a date pattern. Letters are matched in any case; a run longer than its longest token is
/// split greedily ("yyy" is "yy" then "y"). "m" and "mm" right after an hour token or right before
/// a seconds token (literals and separators between do not count) are minutes. Quoted texts,
/// '\' escapes and any other character are literal.
DatePattern parseDatePattern(const QString& pattern);

} // namespace tessaro::format
