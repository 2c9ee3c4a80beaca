#include "control/TessaroPrivate.h"

#include "control/AccessibleNames.h"
#include "control/ChildrenFit.h"
#include "design/Style.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/ScrollBarMenu.h"

namespace tessaro {

// The list is made first; the panel goes beneath it and the list follows the panel's fields in
// the tab order, as when it was made after them.
TessaroPrivate::TessaroPrivate(Tessaro& control) : q(control)
{
    setSolidBackground(&q, design::kControlColour);
    lstv = new tessaro::ListView(&q);
    lstv->setObjectName(QStringLiteral("lstv"));
    design::place(*lstv, design::kList);
    nameListCommands(designedText);
    remembered = std::make_unique<RememberedSettings>(q, *lstv);
    header = std::make_unique<HeaderPanel>(q, *lstv);
    search = std::make_unique<search::SearchPanel>(header->panel(), *lstv);
    totals = std::make_unique<totals_export::TotalsExport>(header->panel(), search->columnChoice(), parts());
    QWidget::setTabOrder(&totals->lastField(), lstv);
    search->findOverWholeResult(std::make_unique<search::WholeFind>(wholeRows(), pacer));
    totals->useWholeResult(wholeRows(), pacer);
    header->setFocusOnShow(search->columnChoice());
    // The list's new height holds other rows, as after a resize; before a load there is no page.
    QObject::connect(header.get(), &HeaderPanel::listMoved, &q, [this] {
        if (results.current().State() != Recordset::StateClosed)
            refitPage();
    });
    listEvents = std::make_unique<search::ListEvents>(
        *lstv, search::ListEventsHost{[this](ListItem* item) { emit q.ClickListItem(item); },
                                      [this](ListItem* item) { emit q.DoubleClickListItem(item); },
                                      [this] { return showsWholeResult(); },
                                      [this](int column, bool descending) { sortWholeResult(column, descending); }});
    // Widths are saved when the user leaves the list, having finished adjusting them.
    QObject::connect(lstv, &tessaro::ListView::LostFocus, &q, [this] { remembered->saveRememberedSettings(results.page.paged); });
    pageBar = std::make_unique<paging::PageBar>(
        q, results, pacer,
        paging::PageHost{[this] { return loader->ConnessioneAttiva(); }, [this] { return RigheVisibili(*lstv); },
                         [this] { loader->loadCurrentPage(); }, [this] { emit q.PopulatedList(); },
                         [this](PointerShape shape) { q.setMousePointer(shape); }});
    pageBar->browseWithListKeys(*lstv);
    // Loading builds no controls: its settings start empty and the host's Init_class opens the query.
    loader = std::make_unique<data::Loader>(q, parts(), results, settings, pacer);
    describeChildControls(q);
}

ControlParts TessaroPrivate::parts() const
{
    return ControlParts{[this]() -> std::shared_ptr<Recordset>& { return q.rst; },
                        [this]() -> std::shared_ptr<collColonne>& { return q.Columns; },
                        [this] { return q.ImageList; }, [this]() -> ListView& { return *lstv; },
                        [this] { return pageRowsAtSize(); }};
}

void TessaroPrivate::nameListCommands(QString (*text)(LanguageKey))
{
    using Key = LanguageKey;
    lstv->setCopyCaption(text(Key::CopyCommand));
    const ScrollBarMenuCaptions captions{
        text(Key::ScrollHereCommand), text(Key::LeftEdgeCommand),  text(Key::RightEdgeCommand),
        text(Key::PageLeftCommand),   text(Key::PageRightCommand), text(Key::ScrollLeftCommand),
        text(Key::ScrollRightCommand), text(Key::TopCommand),      text(Key::BottomCommand),
        text(Key::PageUpCommand),     text(Key::PageDownCommand),  text(Key::ScrollUpCommand),
        text(Key::ScrollDownCommand)};
    for (QScrollBar* bar : {lstv->horizontalScrollBar(), lstv->verticalScrollBar()})
        setScrollBarMenuCaptions(*bar, captions);
}

} // namespace tessaro
