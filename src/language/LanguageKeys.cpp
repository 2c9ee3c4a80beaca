#include "language/LanguageKeys.h"

#include "language/LanguageSupport.h"

#include <iterator>

namespace tessaro {
namespace {

// The designed texts of the keys from ExportTip on, in the keys' order (UTF-8).
const char* const kDesignedTexts[] = {
    "Esporta in un foglio di calcolo",
    "Il foglio di calcolo \u00e8 stato salvato, ma nessun programma lo ha aperto. Si trova in:",
    "Copia",
    "Mostra la barra di ricerca",
    "Nascondi la barra di ricerca",
    "Vai alla prima pagina",
    "Pagine precedenti",
    "Pagine successive",
    "Vai all'ultima pagina",
    "Carica tutti i record",
    "Pagina i record",
    "Conteggio dei record in corso",
    "circa",
    "Annulla",
    "Ripeti",
    "Taglia",
    "Incolla",
    "Elimina",
    "Seleziona tutto",
    "Scorri qui",
    "Margine sinistro",
    "Margine destro",
    "Pagina a sinistra",
    "Pagina a destra",
    "Scorri a sinistra",
    "Scorri a destra",
    "Inizio",
    "Fine",
    "Pagina su",
    "Pagina gi\u00f9",
    "Scorri su",
    "Scorri gi\u00f9",
};
constexpr int kFirstDesigned = static_cast<int>(LanguageKey::ExportTip);
static_assert(std::size(kDesignedTexts) == static_cast<int>(LanguageKey::LastKey) - kFirstDesigned + 1,
              "one designed text for each key from ExportTip on");

QString countText(LanguageKey before, int count, LanguageKey after)
{
    return languageText(before) + QLatin1Char(' ') + QString::number(count) + QLatin1Char(' ') + languageText(after);
}

} // namespace

QString languageKeyName(LanguageKey key)
{
    return QStringLiteral("LE%1").arg(static_cast<int>(key), 2, 10, QChar(u'0'));
}

QString designedText(LanguageKey key)
{
    const int index = static_cast<int>(key) - kFirstDesigned;
    return index >= 0 ? QString::fromUtf8(kDesignedTexts[index]) : QString();
}

QString languageText(LanguageKey key) noexcept
{
    const QString text = GetLanguageString(languageKeyName(key));
    return text.isEmpty() ? designedText(key) : text;
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

QString countingText(std::optional<qint64> estimate)
{
    const QString counting = languageText(LanguageKey::CountingRecords);
    if (!estimate)
        return counting + QStringLiteral("...");
    return counting + QStringLiteral(": ") + languageText(LanguageKey::AboutRecords) + QLatin1Char(' ') +
           QString::number(*estimate) + QLatin1Char(' ') + languageText(LanguageKey::RecordsAfter);
}

} // namespace tessaro
