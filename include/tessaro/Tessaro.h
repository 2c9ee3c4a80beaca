#pragma once

#include <tessaro/Enums.h>
#include <tessaro/Error.h>
#include <tessaro/ImageList.h>
#include <tessaro/ListView.h>
#include <tessaro/MessageBox.h>
#include <tessaro/PropertyBag.h>
#include <tessaro/Recordset.h>
#include <tessaro/SpreadsheetOpener.h>
#include <tessaro/clsColonna.h>
#include <tessaro/collColonne.h>
#include <tessaro/tessaro_export.h>

#include <QSqlDatabase>
#include <QString>
#include <QWidget>
#include <memory>

/// The Tessaro list control and the objects a host reaches through it. The host guide
/// (docs/host-guide.md) tells how they work together.
namespace tessaro {

struct TessaroPrivate;

/// A report-style list of the rows of an SQL query, paged to the visible height or shown
/// whole, with search, totals, spreadsheet export and remembered column widths.
///
/// Host sequence: give the control an objectName (the group of its remembered settings),
/// CambiaLingua() once per thread, setDBConnection() and setQuery(), Init_class() once per
/// query, adjust Columns if wanted, then PopulateList() whenever the list must be (re)loaded.
/// The first field of each row is not shown; it becomes the Tag of the row's ListItem. Column
/// descriptor `Columns->Item(k)` describes field k and list column k.
///
/// The control only reads the database: every statement runs read-only (see Recordset), and a
/// query that would write is refused at Init_class.
///
/// Remembered settings: whether the list was paged and each column's width are kept in
/// QSettings (INI format, organisation "Tessaro", application the AppTitle of Init_class,
/// group the objectName; none for an empty objectName). They are written when the list loses
/// the focus and when the control is destroyed, and read at every PopulateList, where a
/// remembered view wins over setPaged().
///
/// Property setters never validate or reload anything; most mark the property changed through
/// propertyChanged(). Failures the control passes on to the host throw tessaro::Error; the
/// others are reported in a message box (see setMessageBoxHandler) or skipped. Destroying the
/// control closes `rst` and saves the remembered settings; it never throws.
///
/// The host may destroy the control (or its window) at any time, also while a routine of the
/// control runs: from a timer firing while the control yields to the event loop, from a message
/// box, from a handler of its signals. The routine then stops without a further message. A
/// handler releases the control with deleteLater(), never with delete: the signals are raised
/// while Qt is still handling the mouse or key event that caused them, and Qt does not allow a
/// widget to be deleted inside the handling of its own events.
class TESSARO_EXPORT Tessaro : public QWidget {
    Q_OBJECT

    // The members in interface order with their dispatch ids, and the help a property browser
    // shows; see members() for a programmatic listing.
    Q_CLASSINFO("Members", "rst=0x40030000;Columns=0x40030001;ListView=0x4003000C;ImageList=0x4003000D;"
                           "DBConnection=0x68030007;Query=0x68030006;CheckBoxes=0x68030005;"
                           "AbsolutePage=0x68030004;PageSize=0x68030003;Paged=0x68030002;"
                           "ColonnaIndiceImmagine=0x68030001;IntestazioneVisibile=0x68030000;"
                           "Init_class=0x60030008;PopulateList=0x60030009;MoveToLastPage=0x6003000A;"
                           "MoveToFirstPage=0x6003000B;MoveToNextPage=0x6003000C;"
                           "MoveToPreviousPage=0x6003000D;GoToPage=0x6003000E;CambiaLingua=0x6003002D")
    Q_CLASSINFO("Events", "DoubleClickListItem=1;ClickListItem=2;PopulatedList=3")
    Q_CLASSINFO("Help.DBConnection", "Connessione al database da cui estrarre i dati")
    Q_CLASSINFO("Help.Query", "Query con cui caricare i dati da visualizzare nella lista. Il primo campo "
                              "non verrà visualizzato, ma inserito nel tag dell'item (utile per la chiave primaria)")

    /// The SQL text to show; see Query().
    Q_PROPERTY(QString Query READ Query WRITE setQuery)
    /// Check boxes in front of the rows; see CheckBoxes().
    Q_PROPERTY(bool CheckBoxes READ CheckBoxes WRITE setCheckBoxes)
    /// The page shown; see AbsolutePage().
    Q_PROPERTY(int AbsolutePage READ AbsolutePage WRITE setAbsolutePage)
    /// Rows a page; see PageSize().
    Q_PROPERTY(int PageSize READ PageSize WRITE setPageSize)
    /// One page at a time or every row; see Paged().
    Q_PROPERTY(bool Paged READ Paged WRITE setPaged)
    /// The column that numbers each row's icon; see ColonnaIndiceImmagine().
    Q_PROPERTY(int ColonnaIndiceImmagine READ ColonnaIndiceImmagine WRITE setColonnaIndiceImmagine)
    /// Whether the header panel shows; see IntestazioneVisibile().
    Q_PROPERTY(bool IntestazioneVisibile READ IntestazioneVisibile WRITE setIntestazioneVisibile)
    /// Sort, find, totals and export over every row in the paged view; see WholeResult().
    Q_PROPERTY(bool WholeResult READ WholeResult WRITE setWholeResult NOTIFY WholeResultChanged)
    /// The control's pointer; see MousePointer().
    Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer)

public:
    /// One member of the public interface, as listed by members().
    struct Member {
        QString name;       ///< the member's name, as declared ("Query", "PopulateList")
        quint32 dispatchId; ///< its dispatch id
        QString help; ///< empty for members without help
    };

    /// A new control: no connection, no query, not paged, no check boxes, no image column, the
    /// header panel hidden, `rst` and `Columns` empty and `ListView` null until Init_class. Its
    /// size is the designed one until a layout or the host resizes it.
    explicit Tessaro(QWidget* parent = nullptr);
    /// The teardown: closes the result set and saves the remembered settings; never throws.
    ~Tessaro() override;
    /// Not copyable: the control owns its child widgets.
    Tessaro(const Tessaro&) = delete;
    /// Not copyable.
    Tessaro& operator=(const Tessaro&) = delete;

    /// The interface members in their declared order, with dispatch ids and help texts.
    static QList<Member> members();

    // Public object variables: the host reads and assigns them directly.

    /// The result set: empty until first used, opened by Init_class, replaced by a clone of
    /// itself at every PopulateList (a pointer the host kept goes on naming the old one), closed
    /// when the control goes. A host may assign another set; the control shows what it holds.
    std::shared_ptr<Recordset> rst;
    /// The column descriptors: one per field, the key's included, so that `Columns->Item(k)`
    /// describes field k (k from 1) and the last describes no field. Recreated by every
    /// Init_class (empty when the query cannot be opened): adjust them after it, before
    /// PopulateList.
    std::shared_ptr<collColonne> Columns;
    /// The inner list view, owned by the control; null until the first Init_class.
    tessaro::ListView* ListView = nullptr;
    /// The small icons the rows show by number (see ColonnaIndiceImmagine); set by the host,
    /// which may share one list between controls. None by default.
    std::shared_ptr<tessaro::ImageList> ImageList;

    /// The connection the query runs on (set only): an open QSqlDatabase, shared with the host.
    /// Before a view switch or a click on a page number the control probes it with `SELECT 1;`
    /// and, when that fails, closes and reopens it with its own settings and reopens the query;
    /// a connection still closed is told in a warning box. Marks "Connection" changed.
    void setDBConnection(const QSqlDatabase& connection);

    /// The SQL text to show, "" by default. Its first field is the row key: not shown, it
    /// becomes each row's Tag. Read by Init_class; it must be one statement that returns rows.
    QString Query() const;
    /// Stores the query (nothing is opened until Init_class). Marks "Query" changed.
    void setQuery(const QString& query);
    /// Whether the list shows a check box in front of each row (ListItem::Checked); false by
    /// default.
    bool CheckBoxes() const;
    /// Takes effect on the list at the next Init_class. Marks "CheckBoxes" changed.
    void setCheckBoxes(bool checkBoxes);
    /// The page the list shows, from 1; 0 for a new control. After a load it is the page shown.
    int AbsolutePage() const;
    /// The page the next PopulateList shows in the paged view: 0 counts as 1, and the fill
    /// brings a page beyond the last down to the last. Marks nothing changed.
    void setAbsolutePage(int page);
    /// Rows a page: in the paged view the whole rows that fit in the list's height, refitted at
    /// every load and at every resize that changes it; in the unpaged view the record count.
    /// 0 for a new control.
    int PageSize() const;
    /// Stores a page size, which the next load replaces with its own. Marks "PageSize" changed.
    void setPageSize(int rows);
    /// True to show one page at a time with the page bar, false (the default) to show every row.
    /// A view the control remembers (see the class comment) replaces it at PopulateList.
    bool Paged() const;
    /// Takes effect at the next PopulateList, unless a remembered view replaces it. Marks
    /// "Paged" changed.
    void setPaged(bool paged);
    /// The sub-item k (list column k + 1) whose text is each row's icon number in ImageList
    /// (an empty text: icon 1); 0, the default, for no icons. The icons are set after every
    /// load; a number the image list does not hold, or no image list, is reported in a message
    /// box and leaves the rows after it without icons.
    int ColonnaIndiceImmagine() const;
    /// Takes effect at the next load. Marks "ColonnaIndiceImmagine" changed.
    void setColonnaIndiceImmagine(int column);
    /// Whether the header panel (search, totals, export) is shown; hidden by default. Setting it
    /// runs the show or hide action every time, each moving the list by the panel's height, so
    /// set it only when it changes. Showing it puts the focus in its search-column choice; hiding
    /// it while one of its fields has the focus puts the focus in the list. Once
    /// a set is open, the paged view then refits the page as a resize does (PopulatedList).
    /// Marks "IntestazioneVisibile" changed.
    bool IntestazioneVisibile() const;
    /// See IntestazioneVisibile().
    void setIntestazioneVisibile(bool visible);
    /// False (the default): in the paged view a header click sorts the rows of the page, and find,
    /// totals and export with "all rows" work on the rows in the list. True: in the paged view
    /// they work on every row of the query. A header click (same SortKey and SortOrder
    /// alternation) has the database order every row by that column, the key breaking ties, and
    /// shows page 1 of that order with the sort indicator (PopulatedList); page moves and a load
    /// of all rows keep the order until the next PopulateList or Init_class. Find looks at every
    /// row from the page after the current one, wrapping round, and shows the first page with a
    /// match; totals and export with "all rows" read every row without filling the list. The
    /// long ones show their progress in the page bar and stop at Esc. The unpaged view holds
    /// every row already and is unchanged. Emits WholeResultChanged and marks "WholeResult"
    /// changed when the value changes.
    bool WholeResult() const;
    /// See WholeResult(); takes effect at the next click.
    void setWholeResult(bool wholeResult);
    /// The control's pointer, a PointerShape number: 0 default, 11 hourglass while a page loads.
    int MousePointer() const;
    /// Shows and keeps `pointer`; a number other than those of PointerShape shows the default.
    void setMousePointer(int pointer);
    /// setMousePointer() by name.
    void setMousePointer(PointerShape pointer) { setMousePointer(static_cast<int>(pointer)); }

    /// Opens Query on the connection and makes one neutral descriptor per field in a new
    /// Columns; sets ListView and applies CheckBoxes to it. `AppTitle` names the application
    /// the remembered settings are kept under ("Tessaro" when empty);
    /// `NonMemorizzareDimensioni` true keeps the column widths from being restored or saved.
    /// Failing steps are skipped: a query that cannot be opened (or that would write) leaves
    /// rst closed, its database error in Recordset::LastDatabaseError(), and Columns empty.
    /// Refused quietly while a long load runs.
    Q_INVOKABLE void Init_class(const QString& AppTitle = {}, bool NonMemorizzareDimensioni = false);
    /// Shows the result set: applies a remembered view to Paged, lays out, then in the paged
    /// view fills page AbsolutePage with the rows that fit, lays out the page bar, sets the row
    /// icons and raises PopulatedList; in the unpaged view loads every row (paced, and stoppable
    /// by the user) and raises PopulatedList. Then fills the search-column choice and restores
    /// the remembered widths. Returns once the load is over. Failures are reported in a message
    /// box ("Tessaro PopulateList Err=3704" for a result set that is not open) and end it.
    /// Refused quietly while a long load runs.
    Q_INVOKABLE void PopulateList();
    /// Shows the last page. Failing steps are skipped (the fill reports its own failures).
    /// Like every page move: refits the page size to the list, fills the list, lays out the page
    /// bar, sets the row icons, raises PopulatedList once; refused quietly during a long load.
    Q_INVOKABLE void MoveToLastPage();
    /// Shows page 1. Failures are reported in a message box.
    Q_INVOKABLE void MoveToFirstPage();
    /// Shows the first page of the next run of page numbers: six on from the first number the
    /// page bar shows, at most the last page. Failures are reported in a message box.
    Q_INVOKABLE void MoveToNextPage();
    /// Shows the page before the first number the page bar shows (at least page 1), the bar
    /// then ending at it. Failures are reported in a message box.
    Q_INVOKABLE void MoveToPreviousPage();
    /// Shows page `Page`, brought within 1 and the last page. Failing steps are skipped.
    Q_INVOKABLE void GoToPage(int Page);
    /// Makes `PercorsoFileLingua` the language folder (`/` or `\` separators) and reads the
    /// current language from its LangSetting.ini (section `Language`, key `CurrentLanguage`);
    /// the texts then come from `<language>.lng` in that folder, keys LE01 to LE61. Folder and
    /// language are shared by every control of the calling thread; this control's captions
    /// are set at once. Throws tessaro::Error 53 when the folder has no LangSetting.ini (75
    /// when it is no readable file); the folder is taken as the language directory all the
    /// same and the language keeps its name. tessaro::languageFolder() gives the folder of a
    /// shipped language.
    Q_INVOKABLE void CambiaLingua(const QString& PercorsoFileLingua);

    /// The container's read-properties notification: sets Query (default "Inserire la query"),
    /// Paged (default false) and AbsolutePage (default 1) from `bag`, so an empty bag sets those
    /// defaults. An entry that does not convert leaves its property as it was.
    void ReadProperties(const PropertyBag& bag);
    /// The container's write-properties notification: stores "Query", "Paged" and
    /// "AbsolutePage" in `bag`, leaving out a value equal to its default.
    void WriteProperties(PropertyBag& bag);

    /// The container's resize notification, run by every resize and by PopulateList: fits the
    /// header panel, the list and the page bar to the control, and in the paged view reloads
    /// the page when the rows that fit changed (raising PopulatedList). It lets the event loop
    /// run once, where the control may be destroyed. Failing steps are skipped.
    void UserControl_Resize();

signals:
    // A handler that lets the control go calls deleteLater() on it (see the class comment).

    /// The list was double-clicked (the selected item, null when none is selected), or Enter
    /// pressed in it (the current row's item, selected or not). Not raised while the list is
    /// empty.
    void DoubleClickListItem(tessaro::ListItem* Item);
    /// A row was clicked: its item (valid until the list is next cleared or the item removed).
    /// Not raised while the list is empty.
    void ClickListItem(tessaro::ListItem* Item);
    /// A page or the whole list has been loaded and shown: after PopulateList, every page move
    /// and view switch, and a resize or header panel switch that reloaded the page. After a long
    /// load it comes once the load is over, when the control may be used as after any load.
    void PopulatedList();
    /// WholeResult() changed to `wholeResult`.
    void WholeResultChanged(bool wholeResult);
    /// The property-changed notification to the container: `name` is the property set.
    void propertyChanged(const QString& name);

protected:
    /// Runs UserControl_Resize() after QWidget's own handling.
    void resizeEvent(QResizeEvent* event) override;

private:
    std::unique_ptr<TessaroPrivate> const d;
};

} // namespace tessaro
