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

namespace tessaro {

struct TessaroPrivate;

/// A report-style list of the rows of an SQL query, paged to the visible height or shown
/// whole, with search, totals, spreadsheet export and remembered column widths.
///
/// Host sequence: setDBConnection() and setQuery(), Init_class() once, adjust Columns if
/// wanted, then PopulateList() whenever the list must be (re)loaded. The first field of each
/// row is not shown; it becomes the Tag of the row's ListItem.
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

    Q_PROPERTY(QString Query READ Query WRITE setQuery)
    Q_PROPERTY(bool CheckBoxes READ CheckBoxes WRITE setCheckBoxes)
    Q_PROPERTY(int AbsolutePage READ AbsolutePage WRITE setAbsolutePage)
    Q_PROPERTY(int PageSize READ PageSize WRITE setPageSize)
    Q_PROPERTY(bool Paged READ Paged WRITE setPaged)
    Q_PROPERTY(int ColonnaIndiceImmagine READ ColonnaIndiceImmagine WRITE setColonnaIndiceImmagine)
    Q_PROPERTY(bool IntestazioneVisibile READ IntestazioneVisibile WRITE setIntestazioneVisibile)
    Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer)

public:
    /// One member of the public interface, as listed by members().
    struct Member {
        QString name;
        quint32 dispatchId;
        QString help; ///< empty for members without help
    };

    explicit Tessaro(QWidget* parent = nullptr);
    ~Tessaro() override;
    Tessaro(const Tessaro&) = delete;
    Tessaro& operator=(const Tessaro&) = delete;

    /// The interface members in their declared order, with dispatch ids and help texts.
    static QList<Member> members();

    // Public object variables: the host reads and assigns them directly.
    std::shared_ptr<Recordset> rst;        ///< the result set; empty until first used
    std::shared_ptr<collColonne> Columns;  ///< column descriptors; recreated by Init_class
    tessaro::ListView* ListView = nullptr; ///< the inner list view, set by Init_class
    std::shared_ptr<tessaro::ImageList> ImageList; ///< small icons of the rows; set by the host

    /// The connection the query runs on (set only). A dropped connection is reopened with its
    /// own settings. Marks "Connection" changed.
    void setDBConnection(const QSqlDatabase& connection);

    QString Query() const;
    void setQuery(const QString& query);
    bool CheckBoxes() const;
    /// Takes effect on the list at the next Init_class.
    void setCheckBoxes(bool checkBoxes);
    int AbsolutePage() const;
    void setAbsolutePage(int page);
    int PageSize() const;
    void setPageSize(int rows);
    bool Paged() const;
    void setPaged(bool paged);
    int ColonnaIndiceImmagine() const;
    void setColonnaIndiceImmagine(int column);
    /// Whether the header panel (search, totals, export) is shown. Setting it runs the show or
    /// hide action every time, each moving the list by the panel's height.
    bool IntestazioneVisibile() const;
    void setIntestazioneVisibile(bool visible);
    /// The control's pointer, a PointerShape number: 0 default, 11 hourglass while a page loads.
    int MousePointer() const;
    void setMousePointer(int pointer);
    void setMousePointer(PointerShape pointer) { setMousePointer(static_cast<int>(pointer)); }

    /// Opens Query on the connection and makes one neutral descriptor per field. Failing steps
    /// are skipped: a query that cannot be opened leaves rst closed and Columns empty.
    Q_INVOKABLE void Init_class(const QString& AppTitle = {}, bool NonMemorizzareDimensioni = false);
    /// Shows the result set, paged or whole, and restores the remembered settings. Failures are
    /// reported in a message box.
    Q_INVOKABLE void PopulateList();
    Q_INVOKABLE void MoveToLastPage();
    Q_INVOKABLE void MoveToFirstPage();
    Q_INVOKABLE void MoveToNextPage();
    Q_INVOKABLE void MoveToPreviousPage();
    Q_INVOKABLE void GoToPage(int Page);
    /// Reads LangSetting.ini in the folder `PercorsoFileLingua` and sets the captions of the
    /// current language. Throws tessaro::Error when the folder has no LangSetting.ini; the
    /// folder is taken as the language directory all the same.
    Q_INVOKABLE void CambiaLingua(const QString& PercorsoFileLingua);

    /// The container's read- and write-properties notifications: "Query", "Paged" and
    /// "AbsolutePage" with their defaults. Failing entries are skipped.
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag);

    /// The container's resize notification; also run by PopulateList.
    void UserControl_Resize();

signals:
    // A handler that lets the control go calls deleteLater() on it (see the class comment).

    /// A row was double-clicked: the selected item, null when none is selected.
    void DoubleClickListItem(tessaro::ListItem* Item);
    /// A row was clicked.
    void ClickListItem(tessaro::ListItem* Item);
    /// A page or the whole list has been loaded and shown.
    void PopulatedList();
    /// The property-changed notification to the container.
    void propertyChanged(const QString& name);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::unique_ptr<TessaroPrivate> const d;
};

} // namespace tessaro
