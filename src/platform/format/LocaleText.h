#pragma once

// Texts taken from the user's locale (QLocale()) as the value runtime shows them.
//
// The locale data puts no-break (U+00A0) and narrow no-break (U+202F) spaces into group
// separators, currency amounts and some date forms. The runtime shows plain spaces there, as a
// user types them, so that its texts compare, search and export the same as typed ones.

#include <QString>

namespace tessaro::format {

/// `text` with every no-break and narrow no-break space turned into a plain space.
QString withPlainSpaces(QString text);

/// The locale's group separator, with plain spaces.
QString groupSeparator();

} // namespace tessaro::format
