#include "control/TessaroPrivate.h"
#include "platform/sql/RecordsetRows.h"

#include "control/AccessibleNames.h"
#include "design/DesignedLayout.h"
#include "language/LanguageKeys.h"
#include "language/LanguageSupport.h"
#include "platform/Failure.h"
#include "platform/controls/ControlGuard.h"
#include "platform/controls/KeyEvents.h"
#include "platform/format/Conversions.h"

#include <QMetaClassInfo>
#include <QResizeEvent>

namespace tessaro {
namespace {

const QString kQueryDefault = QStringLiteral("Inserire la query");
// The saved page number's default is a 16-bit integer, as the property bag was designed.
const QVariant kAbsolutePageDefault = QVariant::fromValue<qint16>(1);

// The child controls outlive the control's state: QWidget deletes them after ~Tessaro, and a
// child still reports on its way out (a window going hides itself first, taking the focus from
// the list; a focused search box loses the focus). None of that may reach the control.
void detachChildControls(Tessaro& control)
{
    for (QObject* child : control.findChildren<QObject*>()) {
        QObject::disconnect(child, nullptr, &control, nullptr);
        // The search boxes' focus and key notifications call the control from an event filter.
        if (qobject_cast<KeyEvents*>(child))
            delete child;
    }
}

// Stores a property's new value and tells the host which property changed.
template <class T>
void changeProperty(Tessaro& control, T& stored, const T& value, const char* name)
{
    stored = value;
    emit control.propertyChanged(QString::fromLatin1(name));
}

} // namespace

Tessaro::Tessaro(QWidget* parent) : QWidget(parent), d(std::make_unique<TessaroPrivate>(*this))
{
    const double perPixel = TwipsGeometry::twipsPerPixel(this);
    resize(qRound(design::kControlWidth / perPixel), qRound(design::kControlHeight / perPixel));
}

Tessaro::~Tessaro()
{
    // A set that was never opened fails to close; it is dropped all the same.
    const SkipFailures skip("~Tessaro");
    // A host still holding a clone counts on its own connection if it asks.
    sql::RecordsetRows::stopCounting(d->results.current());
    skip([&] { d->results.current().Close(); });
    rst.reset();
    d->remembered->saveRememberedSettings(d->results.page.paged);
    detachChildControls(*this);
}

QList<Tessaro::Member> Tessaro::members()
{
    const QMetaObject& meta = staticMetaObject;
    const QString listing = QString::fromUtf8(meta.classInfo(meta.indexOfClassInfo("Members")).value());
    QList<Member> result;
    for (const QString& entry : listing.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = entry.section(QLatin1Char('='), 0, 0);
        const quint32 id = entry.section(QLatin1Char('='), 1).toUInt(nullptr, 16);
        const int helpIndex = meta.indexOfClassInfo(("Help." + name).toUtf8().constData());
        const QString help = helpIndex >= 0 ? QString::fromUtf8(meta.classInfo(helpIndex).value()) : QString();
        result.append({name, id, help});
    }
    return result;
}

void Tessaro::CambiaLingua(const QString& PercorsoFileLingua)
{
    setLanguageDirectory(PercorsoFileLingua);
    setCurrentLanguage(ReadIniValue(PercorsoFileLingua + QStringLiteral("\\LangSetting.ini"),
                                    QStringLiteral("Language"), QStringLiteral("CurrentLanguage")));
    d->pageBar->retranslate();
    d->totals->retranslate();
    d->search->retranslate();
    d->nameListCommands(languageText);
    redescribeChildControls(*this);
}

void Tessaro::setDBConnection(const QSqlDatabase& connection)
{
    changeProperty(*this, d->settings.DBConnection, connection, "Connection");
}

QString Tessaro::Query() const { return d->settings.Query; }
void Tessaro::setQuery(const QString& query) { changeProperty(*this, d->settings.Query, query, "Query"); }

bool Tessaro::CheckBoxes() const { return d->settings.CheckBoxes; }
void Tessaro::setCheckBoxes(bool checkBoxes)
{
    changeProperty(*this, d->settings.CheckBoxes, checkBoxes, "CheckBoxes");
}

int Tessaro::AbsolutePage() const { return d->results.page.number; }
void Tessaro::setAbsolutePage(int page) { d->results.page.number = page; }

int Tessaro::PageSize() const { return d->results.page.size; }
void Tessaro::setPageSize(int rows) { changeProperty(*this, d->results.page.size, rows, "PageSize"); }

bool Tessaro::Paged() const { return d->results.page.paged; }
void Tessaro::setPaged(bool paged) { changeProperty(*this, d->results.page.paged, paged, "Paged"); }

int Tessaro::ColonnaIndiceImmagine() const { return d->settings.ColonnaIndiceImmagine; }
void Tessaro::setColonnaIndiceImmagine(int column)
{
    changeProperty(*this, d->settings.ColonnaIndiceImmagine, column, "ColonnaIndiceImmagine");
}

bool Tessaro::IntestazioneVisibile() const { return d->header->shown(); }
// The paged view's refit after the action may yield, and the host destroy the control meanwhile.
void Tessaro::setIntestazioneVisibile(bool visible)
{
    const ControlGuard guard(this);
    if (visible)
        d->header->pctEstendi_Click();
    else
        d->header->pctNascondi_Click();
    if (!guard.gone())
        emit propertyChanged(QStringLiteral("IntestazioneVisibile"));
}

bool Tessaro::WholeResult() const { return d->wholeResult; }
void Tessaro::setWholeResult(bool wholeResult)
{
    if (wholeResult == d->wholeResult)
        return;
    d->wholeResult = wholeResult;
    const ControlGuard guard(this);
    emit WholeResultChanged(wholeResult);
    if (!guard.gone())
        emit propertyChanged(QStringLiteral("WholeResult"));
}

int Tessaro::MousePointer() const { return d->MousePointer; }
void Tessaro::setMousePointer(int pointer)
{
    d->MousePointer = pointer;
    TwipsGeometry::showPointer(*this, pointer);
}

void Tessaro::MoveToFirstPage() { d->pageBar->MoveToFirstPage(); }
void Tessaro::MoveToLastPage() { d->pageBar->MoveToLastPage(); }
void Tessaro::MoveToNextPage() { d->pageBar->MoveToNextPage(); }
void Tessaro::MoveToPreviousPage() { d->pageBar->MoveToPreviousPage(); }
void Tessaro::GoToPage(int Page) { d->pageBar->GoToPage(Page); }

void Tessaro::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    UserControl_Resize();
}

// A stored value that does not convert leaves its property as it was.
void Tessaro::ReadProperties(const PropertyBag& bag)
{
    const SkipFailures skip("ReadProperties");
    skip([&] { setQuery(bag.ReadProperty(QStringLiteral("Query"), kQueryDefault).toString()); });
    skip([&] { setPaged(CBool(bag.ReadProperty(QStringLiteral("Paged"), false))); });
    skip([&] { setAbsolutePage(CLng(bag.ReadProperty(QStringLiteral("AbsolutePage"), kAbsolutePageDefault))); });
}

void Tessaro::WriteProperties(PropertyBag& bag)
{
    bag.WriteProperty(QStringLiteral("Query"), Query(), kQueryDefault);
    bag.WriteProperty(QStringLiteral("Paged"), Paged(), false);
    bag.WriteProperty(QStringLiteral("AbsolutePage"), AbsolutePage(), kAbsolutePageDefault);
}

} // namespace tessaro
