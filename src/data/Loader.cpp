#include "data/Loader.h"

#include "data/RiempiListView.h"
#include "language/ErrorReport.h"
#include "language/LanguageKeys.h"
#include "platform/Failure.h"
#include "platform/controls/ControlGuard.h"
#include "platform/controls/LoadPacer.h"
#include "platform/format/Conversions.h"
#include "platform/sql/Connection.h"
#include "platform/sql/ResultHolder.h"

#include <tessaro/ImageList.h>
#include <tessaro/ListView.h>
#include <tessaro/MessageBox.h>
#include <tessaro/collColonne.h>

namespace tessaro::data {

Loader::Loader(QWidget& control, ControlParts parts, sql::ResultHolder& results, LoadSettings& settings,
               LoadPacer& pacer)
    : m_control(control), m_parts(std::move(parts)), m_results(results), m_settings(settings), m_pacer(pacer)
{
}

void Loader::openQuery()
{
    if (!m_settings.Query.isEmpty())
        reopenQuery();
    std::shared_ptr<collColonne>& columns = m_parts.columns();
    columns = std::make_shared<collColonne>();
    Recordset& set = m_results.current();
    const int fields = set.State() == Recordset::StateClosed ? 0 : set.Fields().Count();
    for (int i = 1; i <= fields; ++i)
        columns->Add(QString(), 0, QString());
}

void Loader::reopenQuery()
{
    const SkipFailures skip("reopenQuery");
    skip([&] { m_results.current().Close(); });
    // The open reads one page and a row: the first page shows without reading further.
    skip([&] { m_results.current().setPageSize(m_parts.pageRows()); });
    skip([&] { m_results.current().Open(m_settings.Query, m_settings.DBConnection); });
}

// A dropped session is noticed by a probe that fails: the connection handle may still claim
// to be open after the server ended it.
bool Loader::ConnessioneAttiva()
{
    const SkipFailures skip("ConnessioneAttiva");
    QSqlDatabase& connection = m_settings.DBConnection;
    {
        Recordset probe;
        skip([&] { probe.Open(kProbeStatement, connection); });
        if (probe.State() == Recordset::StateClosed) {
            skip([&] { connectionClose(connection); });
            skip([&] { connectionOpen(connection); });
            if (!m_settings.Query.isEmpty())
                reopenQuery();
        }
        skip([&] { probe.Close(); });
    }
    if (!m_settings.Query.isEmpty() && m_results.current().State() == Recordset::StateClosed) {
        skip([&] { m_results.current().Close(); });
        skip([&] { connectionClose(connection); });
        skip([&] { connectionOpen(connection); });
        skip([&] { m_results.current().Open(m_settings.Query, connection); });
    }
    if (connection.isOpen())
        return true;
    MsgBox(languageText(LanguageKey::NoConnection), MessageStyle::Exclamation, languageText(LanguageKey::WarningTitle));
    return false;
}

// The list gets its images before the rows, which it then draws in their final place from the
// first paint, with the room of their icons, however long the rows take to come.
void Loader::fillPage()
{
    if (m_settings.ColonnaIndiceImmagine != 0)
        m_parts.list().setSmallIcons(m_parts.images());
    RiempiListView(m_results.set(), m_parts.list(), m_parts.columns(), m_results.page.size, m_results.page.number,
                   m_pacer.busy() ? &m_pacer : nullptr);
}

void Loader::CaricaIcone()
{
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("CaricaIcone"), [&] {
        const int column = m_settings.ColonnaIndiceImmagine;
        if (column == 0)
            return;
        const std::shared_ptr<ImageList> images = m_parts.images();
        ListView& list = m_parts.list();
        list.setSmallIcons(images);
        ListItems& items = list.ListItems();
        const int count = items.Count();
        for (int i = 1; i <= count; ++i) {
            ListItem* item = items.Item(i);
            QString text = item->ListSubItems(column)->Text();
            if (text.isEmpty())
                text = kFirstImage;
            const int image = CLng(text);
            if (!images)
                raiseError(Error::ObjectVariableNotSet);
            if (image < 1 || image > images->Count())
                raiseError(Error::IndexOutOfBounds);
            item->setSmallIcon(image);
        }
    });
}

void Loader::loadCurrentPage()
{
    const ControlGuard guard(&m_control);
    fillPage();
    if (guard.gone())
        return;
    CaricaIcone();
}

} // namespace tessaro::data
