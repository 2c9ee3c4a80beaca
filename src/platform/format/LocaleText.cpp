#include "platform/format/LocaleText.h"

#include <QLocale>

namespace tessaro::format {

namespace {
constexpr char16_t kNoBreakSpace = 0x00A0;
constexpr char16_t kNarrowNoBreakSpace = 0x202F;
} // namespace

QString withPlainSpaces(QString text)
{
    for (QChar& c : text) {
        if (c == kNoBreakSpace || c == kNarrowNoBreakSpace)
            c = u' ';
    }
    return text;
}

QString groupSeparator()
{
    return withPlainSpaces(QLocale().groupSeparator());
}

} // namespace tessaro::format
