#include "control/AccessibleNames.h"

#include "language/LanguageKeys.h"

#include <QAbstractButton>
#include <QLabel>


namespace tessaro {
namespace {

// The tooltips that follow the language: the icon-only header buttons', the panel switches' and
// the page bar's. Where the language has no text, the designed one: `designed`, or the key's own
// designed text when that is null.
struct ButtonTip {
    const char* button;
    LanguageKey key;
    const char* designed;
};
const ButtonTip kButtonTips[] = {
    {"cmdTrova", LanguageKey::SearchCaption, "Cerca"},
    {"cmdSomma", LanguageKey::TotalsTitle, "Totali"},
    {"cmdEsportaInExcel", LanguageKey::ExportTip, nullptr},
    {"pctEstendi", LanguageKey::ShowPanelTip, nullptr},
    {"pctNascondi", LanguageKey::HidePanelTip, nullptr},
    {"imgPrimaPagina", LanguageKey::FirstPageTip, nullptr},
    {"lblPrimaPagina", LanguageKey::FirstPageTip, nullptr},
    {"imgPrecedente", LanguageKey::PreviousPagesTip, nullptr},
    {"lblPag(0)", LanguageKey::PreviousPagesTip, nullptr},
    {"imgSuccessiva", LanguageKey::NextPagesTip, nullptr},
    {"lblPag(7)", LanguageKey::NextPagesTip, nullptr},
    {"imgUltimaPagina", LanguageKey::LastPageTip, nullptr},
    {"lblUltimaPagina", LanguageKey::LastPageTip, nullptr},
    {"lblCaricatutti", LanguageKey::LoadAllTip, nullptr},
    {"lblPaginaRisultati", LanguageKey::PagedTip, nullptr},
};

// Children without a caption or tooltip of their own, named by the captions of labels: a field
// by those that introduce it ("Cerca" "in" the column), a container by one it holds.
struct NamedByLabels {
    const char* control;
    const char* labels[2];
};
const NamedByLabels kNamedByLabels[] = {
    {"cmbCercaIn", {"Label2", "Label1"}},
    {"txtRicerca", {"Label2", nullptr}},
    {"pctIntestazione", {"Label2", nullptr}},
    {"fraPaginazione", {"lblPagine", nullptr}},
};

// Captions the page bar rewrites at every page: Qt reads them live, nothing is copied from them.
bool captionChangesByItself(const QString& name)
{
    return name == QLatin1String("lblNumRecord") || name.startsWith(QLatin1String("lblPag("));
}

QString captionOf(const QWidget& widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(&widget))
        return label->text().trimmed();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget))
        return button->text().trimmed();
    return {};
}

// "<" or ">>" says nothing read aloud: a caption names its control when it holds a word or number.
bool isWordy(const QString& caption)
{
    for (const QChar c : caption) {
        if (c.isLetterOrNumber())
            return true;
    }
    return false;
}

QString labelsCaption(const QWidget& control, const NamedByLabels& row)
{
    QStringList words;
    for (const char* name : row.labels) {
        if (!name)
            continue;
        if (const auto* label = control.findChild<QLabel*>(QString::fromLatin1(name)))
            words << label->text().trimmed();
    }
    words.removeAll(QString());
    return words.join(QLatin1Char(' '));
}

void setButtonTips(QWidget& control, bool fromLanguage)
{
    for (const ButtonTip& row : kButtonTips) {
        QWidget* button = control.findChild<QWidget*>(QString::fromLatin1(row.button));
        if (!button)
            continue;
        QString tip = fromLanguage ? languageText(row.key).trimmed() : QString();
        if (tip.isEmpty())
            tip = row.designed ? QString::fromUtf8(row.designed) : designedText(row.key);
        button->setToolTip(tip);
    }
}

void describe(QWidget& control, QWidget& child)
{
    const QString name = child.objectName();
    const QString caption = captionOf(child);
    QString spoken;
    if (!isWordy(caption)) {
        spoken = child.toolTip().trimmed();
        for (const NamedByLabels& row : kNamedByLabels) {
            if (spoken.isEmpty() && name == QLatin1String(row.control))
                spoken = labelsCaption(control, row);
        }
    }
    // An empty name leaves it to Qt, which reads the caption.
    child.setAccessibleName(spoken);
    if (!child.toolTip().isEmpty() || captionChangesByItself(name))
        child.setAccessibleDescription(QString());
    else
        child.setAccessibleDescription(spoken.isEmpty() ? caption : spoken);
}

void describeAll(QWidget& control)
{
    for (QWidget* child : control.findChildren<QWidget*>()) {
        // Qt's own parts (a combo's field, the list's viewport) carry no name of ours.
        if (!child->objectName().isEmpty() && !child->objectName().startsWith(QLatin1String("qt_")))
            describe(control, *child);
    }
}

} // namespace

void describeChildControls(QWidget& control)
{
    setButtonTips(control, false);
    describeAll(control);
}

void redescribeChildControls(QWidget& control)
{
    setButtonTips(control, true);
    describeAll(control);
}

} // namespace tessaro
