#include "support/ShownControl.h"

#include "support/TestHelpers.h"

#include <tessaro/Recordset.h>

#include <QApplication>
#include <QTest>

namespace tessaro::test {

namespace {
// Far enough from the left edge to be inside the smallest clickable child (10 pixels wide).
constexpr int kClickInset = 6;
} // namespace

ShownControl::ShownControl()
{
    qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
    control.setDBConnection(database.db());
}

ShownControl::~ShownControl()
{
    control.close(); // as the user closes the window before the host deletes the control
}

void ShownControl::showAt(int width, int height)
{
    control.resize(width, height);
    control.show();
    QApplication::setActiveWindow(&control);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&control));
}

void ShownControl::useLanguage(const QByteArray& strings)
{
    writeTestLanguage(folder.path(), strings);
    control.CambiaLingua(folder.path());
}

void ShownControl::init(const QString& query, bool paged, const QString& application)
{
    control.setQuery(query);
    control.setPaged(paged);
    control.Init_class(application, true);
}

void ShownControl::populate()
{
    control.PopulateList();
    // As in a user's session, the event loop runs and the count beside lands.
    if (control.rst && control.rst->State() == Recordset::StateOpen)
        control.rst->RecordCount();
    QApplication::processEvents();
    EXPECT_TRUE(boxes.messages().empty()) << boxes.messages().front().text.toStdString();
}

void ShownControl::load(const QString& query, bool paged, const QString& application)
{
    init(query, paged, application);
    populate();
}

QWidget* ShownControl::child(const QString& name) const
{
    QWidget* found = control.findChild<QWidget*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

std::string ShownControl::pageNumbers() const
{
    QStringList parts;
    for (int i = 1; i <= 6; ++i) {
        const QWidget* label = child(QStringLiteral("lblPag(%1)").arg(i));
        const QString caption = label->property("Caption").toString();
        parts << (label->isHidden() ? QStringLiteral("-")
                                    : label->property("FontBold").toBool() ? '[' + caption + ']' : caption);
    }
    return parts.join(' ').toStdString();
}

void ShownControl::click(const QString& name) const
{
    QWidget* target = child(name);
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(kClickInset, target->height() / 2));
}

QPoint ShownControl::rowCentre(int row) const
{
    return control.ListView->visualRect(control.ListView->model()->index(row - 1, 0)).center();
}

QStringList ShownControl::takeMessages()
{
    QStringList shown;
    for (const auto& box : boxes.messages())
        shown << box.text << QString::number(box.style) << box.title;
    boxes.clear();
    return shown;
}

} // namespace tessaro::test
