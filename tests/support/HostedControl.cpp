#include "support/HostedControl.h"

#include <QApplication>
#include <QSettings>
#include <QTest>

namespace tessaro::test {

HostedControl::HostedControl()
{
    qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
}

HostedControl::~HostedControl()
{
    delete window;
}

void HostedControl::open(const QString& query, bool paged, const char* application, bool ownWindow,
                         const std::function<void(Tessaro&)>& configure)
{
    // The view remembered by the last case would win over `paged`.
    QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tessaro"), QString::fromLatin1(application))
        .clear();
    control = new Tessaro(ownWindow ? nullptr : new QWidget);
    window = control->window();
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->resize(700, 400);
    control->resize(600, 300);
    control->setDBConnection(database.db());
    control->setQuery(query);
    control->setPaged(paged);
    if (configure)
        configure(*control);
    control->Init_class(QString::fromLatin1(application));
    window->show();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    control->PopulateList();
    ASSERT_TRUE(boxes.messages().empty()) << boxes.messages().front().text.toStdString();
}

QWidget* HostedControl::child(const char* name) const
{
    return control->findChild<QWidget*>(QString::fromLatin1(name));
}

void HostedControl::click(const char* name) const
{
    ASSERT_TRUE(child(name)->isVisible()) << name;
    QTest::mouseClick(child(name), Qt::LeftButton);
}

} // namespace tessaro::test
