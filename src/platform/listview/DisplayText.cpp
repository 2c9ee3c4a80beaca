#include "platform/listview/DisplayText.h"

#include <algorithm>

namespace tessaro::listview {
namespace {

// UTF-8 spends at most three bytes on a UTF-16 unit (four on a surrogate pair), so this many
// bytes decode to more units than are shown.
constexpr std::size_t kDecodedBytes = 3 * std::size_t(kDisplayedCharacters) + 3;

bool isContinuationByte(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The shown start of a text that goes on beyond it, and the ellipsis; a surrogate pair is shown
// whole or not at all.
QString shortened(const QString& text)
{
    qsizetype kept = std::min<qsizetype>(text.size(), kDisplayedCharacters);
    if (kept > 0 && text.at(kept - 1).isHighSurrogate())
        --kept;
    return text.left(kept) + QChar(kEllipsis);
}

} // namespace

QString displayedText(const QString& text)
{
    return text.size() <= kDisplayedCharacters ? text : shortened(text);
}

QString displayedText(std::string_view utf8)
{
    if (utf8.size() <= std::size_t(kDisplayedCharacters)) // never more units than bytes
        return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    std::size_t bytes = std::min(utf8.size(), kDecodedBytes);
    while (bytes < utf8.size() && bytes > 0 && isContinuationByte(utf8[bytes])) // cut between characters
        --bytes;
    const QString decoded = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(bytes));
    return bytes == utf8.size() ? displayedText(decoded) : shortened(decoded);
}

} // namespace tessaro::listview
