#pragma once

#include <QString>
#include <QVariant>

namespace tessaro {

class clsColonna;

/// The text a list cell shows for `value` under `column`: empty for Null; otherwise the value
/// formatted with the column's expression (or its plain text when there is none), and for a
/// numeric column (TipoCampo 1) the last 20 characters of that text after 20 blanks, so that a
/// text sort orders numbers numerically. Throws when the value cannot be formatted.
QString cellText(const QVariant& value, const clsColonna& column);

} // namespace tessaro
