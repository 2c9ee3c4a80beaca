#include "language/LanguageKeys.h"

#include "language/LanguageSupport.h"

namespace tessaro {
namespace {

QString countText(LanguageKey before, int count, LanguageKey after)
{
    return languageText(before) + QLatin1Char(' ') + QString::number(count) + QLatin1Char(' ') + languageText(after);
}

} // namespace

QString languageKeyName(LanguageKey key)
{
    return QStringLiteral("LE%1").arg(static_cast<int>(key), 2, 10, QChar(u'0'));
}

QString languageText(LanguageKey key) noexcept
{
    return GetLanguageString(languageKeyName(key));
}

QString recordsText(int records)
{
    return countText(LanguageKey::RecordsBefore, records, LanguageKey::RecordsAfter);
}

QString recordsOfText(int part, int whole)
{
    return countText(LanguageKey::RecordsBefore, part, LanguageKey::CountOf).append(QLatin1Char(' ')) +
           QString::number(whole) + QLatin1Char(' ') + languageText(LanguageKey::RecordsAfter);
}

QString recordCountText(int records)
{
    if (records == 0)
        return languageText(LanguageKey::NoRecords);
    if (records == 1)
        return languageText(LanguageKey::OneRecord);
    return recordsText(records);
}

QString pagesText(int pages)
{
    return countText(LanguageKey::PagesBefore, pages, LanguageKey::PagesAfter);
}

} // namespace tessaro
