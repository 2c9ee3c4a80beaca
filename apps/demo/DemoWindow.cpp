#include "DemoWindow.h"

#include "SampleData.h"

#include <tessaro/Languages.h>

#include <QFileDialog>
#include <QFormLayout>
#include <QHeaderView>
#include <QDialog>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QScrollBar>
#include <QMouseEvent>
#include <QPainter>
#include <QSpinBox>
#include <QSqlError>
#include <QStatusBar>
#include <QTimer>

#include <cstdio>

namespace demo {
namespace {

std::shared_ptr<tessaro::ImageList> stateIcons()
{
    auto icons = std::make_shared<tessaro::ImageList>();
    for (const QColor& colour : {QColor(52, 120, 246), QColor(46, 160, 67), QColor(218, 54, 51)}) {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(colour.darker(130));
        painter.setBrush(colour);
        painter.drawEllipse(QRectF(3.5, 3.5, 9, 9));
        icons->Add(QIcon(pixmap));
    }
    return icons;
}

} // namespace

DemoWindow::DemoWindow(const QString& dataDirectory, QWidget* parent)
    : QMainWindow(parent), m_dataDirectory(dataDirectory), m_query(sampleQuery()), m_list(new tessaro::Tessaro(this))
{
    setWindowTitle(tr("Tessaro demo"));
    m_list->setObjectName(QStringLiteral("ordersList"));
    m_list->setPaged(true);
    m_list->setWholeResult(true);
    setCentralWidget(m_list);
    m_list->setIntestazioneVisibile(true);
    statusBar()->showMessage(tr("Click a row to see its key"));
    connect(m_list, &tessaro::Tessaro::ClickListItem, this, &DemoWindow::showKey);
    connect(m_list, &tessaro::Tessaro::DoubleClickListItem, this, &DemoWindow::showKey);
    // The key shown belongs to a row of the page that was left.
    connect(m_list, &tessaro::Tessaro::PopulatedList, statusBar(), &QStatusBar::clearMessage);
    buildMenus();
    setLanguage(QStringLiteral("Italian"));
}

void DemoWindow::showKey(tessaro::ListItem* item)
{
    if (item)
        statusBar()->showMessage(tr("Key of the row: %1").arg(item->Tag().toString()));
}

void DemoWindow::printStateLines()
{
    connect(m_list, &tessaro::Tessaro::PopulatedList, this, [this] {
        tessaro::ListView* list = m_list->ListView;
        if (!list)
            return; // a resize before the first query
        const int rows = list->ListItems().Count();
        const QRect last = rows ? list->visualRect(list->model()->index(rows - 1, 0)) : QRect();
        const bool fits = last.bottom() < list->viewport()->height() && !list->verticalScrollBar()->isVisible();
        std::printf("page %d rows %d pages-of %d fits %s\n", m_list->AbsolutePage(), rows, m_list->PageSize(),
                    fits ? "yes" : "no");
        std::fflush(stdout);
        // Once the page bar, laid out after the announcement, has its places.
        QTimer::singleShot(0, this, &DemoWindow::printPlaces);
    });
    connect(statusBar(), &QStatusBar::messageChanged, this, [](const QString& message) {
        std::printf("status \"%s\"\n", qPrintable(message));
        std::fflush(stdout);
    });
    if (auto* column = m_list->findChild<QComboBox*>(QStringLiteral("cmbCercaIn")))
        connect(column, &QComboBox::currentTextChanged, this, [](const QString& text) {
            std::printf("search column \"%s\"\n", qPrintable(text));
            std::fflush(stdout);
        });
}

// Where a user would click, in the window's coordinates: "at NAME x y [width height]".
void DemoWindow::printPlaces()
{
    const auto print = [this](const char* name, const QWidget* widget, QRect rect, bool withSize) {
        rect.moveTopLeft(widget->mapTo(this, rect.topLeft()));
        std::printf(withSize ? "at %s %d %d %d %d\n" : "at %s %d %d\n", name, rect.center().x(), rect.center().y(),
                    rect.width(), rect.height());
    };
    tessaro::ListView* list = m_list->ListView;
    const QHeaderView* header = list->header();
    print("heading", header, QRect(header->sectionViewportPosition(0), 0, header->sectionSize(0), header->height()),
          false);
    print("row", list->viewport(), list->visualRect(list->model()->index(0, 0)), false);
    // The rows' part of the list, where a vertical scroll bar would take the right edge.
    const QPoint rowsTop = list->viewport()->mapTo(this, QPoint());
    const QPoint listEnd = list->mapTo(this, QPoint(list->width(), list->height()));
    std::printf("at list %d %d %d %d\n", rowsTop.x(), rowsTop.y(), listEnd.x() - rowsTop.x(), listEnd.y() - rowsTop.y());
    for (const char* name : {"lblPag(2)", "txtRicerca", "pctNascondi", "pctEstendi"})
        if (const QWidget* child = m_list->findChild<QWidget*>(QString::fromLatin1(name)); child && child->isVisible())
            print(name, child, child->rect(), false);
    std::fflush(stdout);
}

void DemoWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&Database"));
    file->addAction(tr("Open &SQLite file..."), this, &DemoWindow::chooseSqliteFile);
    file->addAction(tr("Connect to &PostgreSQL..."), this, &DemoWindow::connectPostgres);
    file->addSeparator();
    file->addAction(tr("&Quit"), this, &QWidget::close);
    QMenu* query = menuBar()->addMenu(tr("&Query"));
    query->addAction(tr("&Edit query..."), this, &DemoWindow::editQuery);
    // Sort, find, totals and export over every row, or over the page shown.
    QAction* whole = query->addAction(tr("&Whole result"));
    whole->setCheckable(true);
    whole->setChecked(m_list->WholeResult());
    connect(whole, &QAction::toggled, m_list, &tessaro::Tessaro::setWholeResult);
    QMenu* language = menuBar()->addMenu(tr("&Language"));
    for (const QString& name : tessaro::shippedLanguages())
        language->addAction(name, this, [this, name] { switchLanguage(name); });
}

bool DemoWindow::openSqlite(const QString& path)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("demo-%1").arg(path));
    db.setDatabaseName(path);
    if (!db.open()) {
        QMessageBox::warning(this, windowTitle(), db.lastError().text());
        return false;
    }
    useDatabase(db);
    return true;
}

void DemoWindow::goToPage(const QString& page)
{
    if (page == QLatin1String("last"))
        m_list->MoveToLastPage();
    else
        m_list->GoToPage(page.toInt());
}

void DemoWindow::clickChild(const QString& name)
{
    QWidget* child = m_list->findChild<QWidget*>(name);
    if (!child)
        return;
    const QPointF centre = QRectF(child->rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, centre, child->mapToGlobal(centre), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, child->mapToGlobal(centre), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(child, &press);
    QCoreApplication::sendEvent(child, &release);
}

void DemoWindow::sortBy(int column, bool descending)
{
    tessaro::ListView* list = m_list->ListView;
    if (!list || column < 1 || column > list->ColumnHeaders().Count())
        return;
    list->setSortKey(column - 1);
    list->setSortOrder(descending ? tessaro::ListView::Descending : tessaro::ListView::Ascending);
    list->setSorted(true);
}

void DemoWindow::setColumnWidth(int column, double twips)
{
    tessaro::ListView* list = m_list->ListView;
    if (list && column >= 1 && column <= list->ColumnHeaders().Count() && twips >= 0)
        list->ColumnHeaders().Item(column)->setWidth(twips);
}

void DemoWindow::useDatabase(const QSqlDatabase& db)
{
    m_list->setDBConnection(db);
    load();
}

void DemoWindow::load()
{
    m_list->setQuery(m_query);
    m_list->Init_class(QStringLiteral("TessaroDemo"));
    describeColumns();
    m_list->PopulateList();
}

// The sample's amounts and quantities are numbers and its order dates are dates; other
// queries keep the neutral descriptors.
void DemoWindow::describeColumns()
{
    m_list->setColonnaIndiceImmagine(0);
    if (m_query != sampleQuery() || !m_list->Columns || m_list->Columns->Count() < 7)
        return;
    auto amount = m_list->Columns->Item(3);
    amount->setTipoCampo(1);
    amount->setAllineamento(1);
    amount->setFormattazione(QStringLiteral("#,##0.00"));
    auto quantity = m_list->Columns->Item(4);
    quantity->setTipoCampo(1);
    quantity->setAllineamento(1);
    auto date = m_list->Columns->Item(5);
    date->setTipoCampo(2);
    date->setFormattazione(QStringLiteral("dd/mm/yyyy hh:nn"));
    // The order's state (1 new, 2 shipped, 3 late) picks each row's icon.
    auto state = m_list->Columns->Item(6);
    state->setLarghezza(700);
    state->setAllineamento(2);
    m_list->setColonnaIndiceImmagine(5);
    m_list->ImageList = stateIcons();
}

void DemoWindow::editQuery()
{
    bool ok = false;
    const QString query = QInputDialog::getMultiLineText(this, tr("Query"), tr("SQL (the first field is the row key):"),
                                                         m_query, &ok);
    if (ok && !query.trimmed().isEmpty()) {
        m_query = query;
        load();
    }
}

void DemoWindow::chooseSqliteFile()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Open SQLite database"), m_dataDirectory,
                                                      tr("SQLite databases (*.db *.sqlite *.sqlite3);;All files (*)"));
    if (!path.isEmpty())
        openSqlite(path);
}

void DemoWindow::connectPostgres()
{
    QDialog dialog(this);
    dialog.setWindowTitle(tr("PostgreSQL connection"));
    auto* form = new QFormLayout(&dialog);
    auto* host = new QLineEdit(QStringLiteral("127.0.0.1"));
    auto* port = new QSpinBox;
    port->setRange(1, 65535);
    port->setValue(5432);
    auto* database = new QLineEdit(QStringLiteral("postgres"));
    auto* user = new QLineEdit(QStringLiteral("postgres"));
    auto* password = new QLineEdit;
    password->setEchoMode(QLineEdit::Password);
    form->addRow(tr("Host"), host);
    form->addRow(tr("Port"), port);
    form->addRow(tr("Database"), database);
    form->addRow(tr("User"), user);
    form->addRow(tr("Password"), password);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("demo-postgres"));
    db.setHostName(host->text());
    db.setPort(port->value());
    db.setDatabaseName(database->text());
    db.setUserName(user->text());
    db.setPassword(password->text());
    if (!db.open()) {
        QMessageBox::warning(this, windowTitle(), db.lastError().text());
        return;
    }
    useDatabase(db);
}

bool DemoWindow::setLanguage(const QString& language)
{
    const QString folder = tessaro::languageFolder(language);
    if (folder.isEmpty()) {
        statusBar()->showMessage(tr("No language files for %1").arg(language));
        return false;
    }
    try {
        m_list->CambiaLingua(folder);
        return true;
    } catch (const tessaro::Error& e) {
        statusBar()->showMessage(e.description());
        return false;
    }
}

// The record count is a language text too; a reload shows it in the new language.
void DemoWindow::switchLanguage(const QString& language)
{
    if (setLanguage(language))
        m_list->PopulateList();
}

} // namespace demo
