#pragma once

// The named formats of Format ("Currency", "Short Date", "Yes/No" ...).

#include <QString>
#include <QVariant>
#include <optional>

namespace tessaro::format {

/// `value` in the named format `name` (compared without case, blanks around it ignored), or
/// nothing when `name` names no format:
/// - "General Number" (the general text; whole-number types keep all their digits), "Currency"
///   (the locale's currency form, two decimals), "Fixed" ("0.00"), "Standard" ("#,##0.00"),
///   "Percent" ("0.00%"), "Scientific" ("0.00E+00"), "Yes/No", "True/False", "On/Off" (the
///   second word for zero) format numbers;
/// - "General Date" ("c"), "Long Date" ("dddddd"), "Medium Date" ("dd-mmm-yy"), "Short Date"
///   ("ddddd"), "Long Time" ("ttttt"), "Medium Time" ("hh:nn AM/PM"), "Short Time" ("hh:nn")
///   format dates.
/// A Null gives ""; a value the format cannot read (a non-numeric text for a number format) gives
/// its own text.
std::optional<QString> formatNamed(const QVariant& value, const QString& name);

} // namespace tessaro::format
