#include "control/TessaroPrivate.h"

#include "language/LanguageSupport.h"

namespace tessaro {

void Tessaro::CambiaLingua(const QString& PercorsoFileLingua)
{
    setLanguageDirectory(PercorsoFileLingua);
    setCurrentLanguage(ReadIniValue(PercorsoFileLingua + QStringLiteral("\\LangSetting.ini"),
                                    QStringLiteral("Language"), QStringLiteral("CurrentLanguage")));
    d->lblPaginaRisultati->setText(GetLanguageString(QStringLiteral("LE13")));
    d->lblPagine->setText(GetLanguageString(QStringLiteral("LE14")));
    d->lblCaricatutti->setText(GetLanguageString(QStringLiteral("LE15")));
    d->optTutti->setText(GetLanguageString(QStringLiteral("LE16")));
    d->optSelezionati->setText(GetLanguageString(QStringLiteral("LE17")));
    d->Label1->setText(GetLanguageString(QStringLiteral("LE18")));
    d->Label2->setText(GetLanguageString(QStringLiteral("LE19")));
}

} // namespace tessaro
