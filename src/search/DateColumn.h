#pragma once

// The two passes of a header-click sort on a date column, whose cells' ListSubItems Tags hold
// the texts the fill wrote.

#include <QString>
#include <QVariant>

namespace tessaro {

class ListView;

/// The text that sorts a date cell in time order: "yyyymmddHHMMSS" (four-digit year, then
/// two-digit month, day, hour 0-23, minutes, seconds) of the Tag read as a date (see CDate);
/// "" for a Null or empty Tag; the Tag's own text when it is not a date.
QString sortableDateText(const QVariant& tag);

/// Sets sub-item k of every item to the sortable text of its ListSubItems(k) Tag. An item whose
/// step fails (k names no sub-item) is left as it is.
void writeSortableDates(ListView& lstv, int k);

/// Sets sub-item k of every item to the general date form of its ListSubItems(k) Tag. An item
/// whose Tag is no date (an empty cell) keeps its text.
void writeGeneralDates(ListView& lstv, int k);

} // namespace tessaro
