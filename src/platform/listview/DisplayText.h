#pragma once

// What the list hands its painter, size hints and header for one cell or caption: the text, or
// for a long one its first kDisplayedCharacters characters followed by an ellipsis. Laying out
// a text costs time in proportion to its whole length, however little of it shows, so a cell
// of megabytes would freeze the window at every repaint. Items keep their whole texts (Text,
// SubItems); only what is drawn and measured is cut.

#include <QString>

#include <string_view>

namespace tessaro::listview {

/// Characters shown at most: more than a line across the widest screen holds in a readable font.
constexpr int kDisplayedCharacters = 4096;
/// Follows a text that was cut.
constexpr char16_t kEllipsis = u'\u2026';

/// The shown form of a UTF-8 text; only the part shown is decoded.
QString displayedText(std::string_view utf8);
/// The shown form of a text.
QString displayedText(const QString& text);

} // namespace tessaro::listview
