// The Qt Designer plugin as Designer uses it: loaded from its file, listed in the widget box,
// building the control into forms and describing its properties.
#include "support/MessageBoxRecorder.h"

#include <tessaro/Tessaro.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QSqlDatabase>
#include <QStandardPaths>
#include <QTest>
#include <QXmlStreamReader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>

namespace {

// The size Designer's widget box draws its icons at.
constexpr QSize kWidgetBoxIcon(16, 16);

// What Designer reads from the description of a newly placed control: the widget's class and name,
// its geometry's size, the custom widget's class, and each property's tooltip and string editor.
struct FormDescription {
    QString widgetClass, objectName, customWidgetClass;
    QSize size;
    std::map<std::string, QString> tooltips;
    std::map<std::string, QXmlStreamAttributes> stringEditors;
};

FormDescription parseDescription(const QString& domXml)
{
    FormDescription found;
    QXmlStreamReader xml(domXml);
    EXPECT_TRUE(xml.readNextStartElement() && xml.name() == u"ui") << "the description is not a <ui>";
    QString property;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        const QString name = attributes.value(QLatin1String("name")).toString();
        const QStringView tag = xml.name();
        if (tag == u"widget")
            found.widgetClass = attributes.value(QLatin1String("class")).toString(), found.objectName = name;
        else if (tag == u"property")
            property = name;
        else if ((tag == u"width" || tag == u"height") && property == u"geometry")
            (tag == u"width" ? found.size.rwidth() : found.size.rheight()) = xml.readElementText().toInt();
        else if (tag == u"class")
            found.customWidgetClass = xml.readElementText();
        else if (tag == u"tooltip")
            found.tooltips[name.toStdString()] = xml.readElementText();
        else if (tag == u"stringpropertyspecification")
            found.stringEditors[name.toStdString()] = attributes;
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return found;
}

// The properties tessaro::Tessaro declares itself, beyond those of QWidget.
std::set<std::string> ownProperties()
{
    const QMetaObject& meta = tessaro::Tessaro::staticMetaObject;
    std::set<std::string> names;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
        names.insert(meta.property(i).name());
    return names;
}

// The value the property editor would store after a user's edit: a different one of its type.
QVariant editedValue(const QMetaProperty& property, const QVariant& current)
{
    switch (property.metaType().id()) {
    case QMetaType::Bool: return !current.toBool();
    case QMetaType::Int: return current.toInt() + 1;
    case QMetaType::QString: return QStringLiteral("SELECT id, name FROM customers");
    default: return {};
    }
}

// The settings file the control writes under the component's own title.
QString rememberedSettings()
{
    QFile file(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Tessaro/Tessaro.ini");
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class DesignerPlugin : public ::testing::Test {
protected:
    void SetUp() override
    {
        QPluginLoader loader(QStringLiteral(TESSARO_DESIGNER_PLUGIN_FILE));
        ASSERT_TRUE(loader.load()) << loader.errorString().toStdString();
        plugin = qobject_cast<QDesignerCustomWidgetInterface*>(loader.instance());
        ASSERT_NE(plugin, nullptr) << "the plugin offers no QDesignerCustomWidgetInterface";
    }

    QDesignerCustomWidgetInterface* plugin = nullptr;
};

TEST_F(DesignerPlugin, ListsTheControlInTheWidgetBox)
{
    EXPECT_EQ((QStringList{plugin->name(), plugin->group(), plugin->includeFile()}),
              (QStringList{"tessaro::Tessaro", "Tessaro", "<tessaro/Tessaro.h>"}));
    EXPECT_FALSE(plugin->isContainer());
    EXPECT_FALSE(plugin->icon().pixmap(kWidgetBoxIcon).isNull()) << "the icon's image does not load";
    EXPECT_FALSE(plugin->toolTip().isEmpty() || plugin->whatsThis().isEmpty());
}

// The description names the class the plugin builds, gives it the control's own size, and helps
// with each property the class declares, and only with those.
TEST_F(DesignerPlugin, DescribesEachPropertyOfTheControl)
{
    const FormDescription description = parseDescription(plugin->domXml());
    EXPECT_EQ((QStringList{description.widgetClass, description.customWidgetClass}), QStringList(2, plugin->name()));
    EXPECT_FALSE(description.objectName.isEmpty());
    const std::unique_ptr<QWidget> widget(plugin->createWidget(nullptr));
    EXPECT_EQ(description.size, widget->size());

    std::set<std::string> described;
    for (const auto& [name, help] : description.tooltips)
        if (!help.trimmed().isEmpty())
            described.insert(name);
    EXPECT_EQ(described, ownProperties());

    ASSERT_EQ(description.stringEditors.count("Query"), 1u);
    const QXmlStreamAttributes& query = description.stringEditors.at("Query");
    EXPECT_EQ((QStringList{query.value(QLatin1String("notr")).toString(), query.value(QLatin1String("type")).toString()}),
              (QStringList{QStringLiteral("true"), QStringLiteral("multiline")}));
}

// Designer builds the control, reads every property and writes the user's edits back; none of it
// may reach a database or show a message.
TEST_F(DesignerPlugin, BuildsAControlWhosePropertiesEditWithoutSideEffects)
{
    tessaro::test::MessageBoxRecorder boxes;
    const QStringList connectionsBefore = QSqlDatabase::connectionNames();
    QWidget form;
    QWidget* widget = plugin->createWidget(&form);
    ASSERT_NE(qobject_cast<tessaro::Tessaro*>(widget), nullptr);
    EXPECT_EQ(widget->parentWidget(), &form);
    form.show();

    const QMetaObject& meta = *widget->metaObject();
    std::set<std::string> edited;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        const std::string name = property.name();
        EXPECT_TRUE(property.isDesignable() && property.isReadable() && property.isWritable()) << name;
        const QVariant value = editedValue(property, property.read(widget));
        ASSERT_TRUE(value.isValid()) << name << ": a type the property editor does not offer";
        EXPECT_TRUE(property.write(widget, value)) << name;
        EXPECT_EQ(property.read(widget), value) << name << ": the editor would not show the edit";
        edited.insert(name);
    }
    EXPECT_EQ(edited, ownProperties());
    EXPECT_EQ(QSqlDatabase::connectionNames(), connectionsBefore);
    EXPECT_TRUE(boxes.messages().empty()) << boxes.messages().front().text.toStdString();
}

// A form loader in a running host (QUiLoader) never initializes the plugin and gets the control
// as hosts use it, which files the user's settings under its name. Designer initializes it, and
// the controls it builds into forms and previews write nothing there, focused or not.
TEST_F(DesignerPlugin, ControlsBuiltInDesignerLeaveTheRememberedSettingsAlone)
{
    ASSERT_FALSE(plugin->isInitialized()) << "run this test in a process of its own";
    {
        std::unique_ptr<QWidget> loaded(plugin->createWidget(nullptr));
        loaded->setObjectName(QStringLiteral("lstLoaded"));
    }
    ASSERT_TRUE(rememberedSettings().contains(QStringLiteral("[lstLoaded]"))) << "the check would see nothing";

    plugin->initialize(nullptr);
    EXPECT_TRUE(plugin->isInitialized());
    {
        QWidget form;
        auto* lineEdit = new QLineEdit(&form);
        QWidget* designed = plugin->createWidget(&form);
        ASSERT_NE(qobject_cast<tessaro::Tessaro*>(designed), nullptr);
        EXPECT_EQ(QString::fromLatin1(designed->metaObject()->className()), plugin->name());
        designed->setObjectName(QStringLiteral("lstDesigned"));
        designed->move(0, lineEdit->height());
        form.resize(designed->width(), designed->height() + lineEdit->height());
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        auto* list = designed->findChild<tessaro::ListView*>();
        ASSERT_NE(list, nullptr);
        list->setFocus(Qt::MouseFocusReason);
        EXPECT_EQ(QApplication::focusWidget(), list);
        lineEdit->setFocus(Qt::MouseFocusReason);
        EXPECT_EQ(QApplication::focusWidget(), lineEdit);
    }
    EXPECT_FALSE(rememberedSettings().contains(QStringLiteral("[lstDesigned]"))) << rememberedSettings().toStdString();
}

} // namespace
