#include <tessaro/Tessaro.h>

#include <QApplication>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <gtest/gtest.h>

using tessaro::PropertyBag;
using tessaro::Tessaro;

namespace {

QObject* child(const Tessaro& control, const QString& name)
{
    return control.findChild<QObject*>(name);
}

double twips(const Tessaro& control, const QString& name, const char* property)
{
    return child(control, name)->property(property).toDouble();
}

} // namespace

TEST(ControlProperties, ANewInstanceStartsEmpty)
{
    Tessaro control;
    EXPECT_EQ(control.Query(), QString());
    EXPECT_FALSE(control.Paged());
    EXPECT_EQ(control.AbsolutePage(), 0);
    EXPECT_EQ(control.PageSize(), 0);
    EXPECT_FALSE(control.CheckBoxes());
    EXPECT_EQ(control.ColonnaIndiceImmagine(), 0);
    EXPECT_FALSE(control.IntestazioneVisibile());
    EXPECT_EQ(control.rst, nullptr);
    EXPECT_EQ(control.Columns, nullptr);
    EXPECT_EQ(control.ListView, nullptr);
}

TEST(ControlProperties, SettersMarkTheirPropertyChangedUnderTheContainersNames)
{
    Tessaro control;
    QSignalSpy marks(&control, &Tessaro::propertyChanged);
    control.setDBConnection(QSqlDatabase());
    control.setQuery(QStringLiteral("SELECT 1"));
    control.setCheckBoxes(true);
    control.setAbsolutePage(4); // the page number is never marked
    control.setPageSize(12);
    control.setPaged(true);
    control.setColonnaIndiceImmagine(3);
    control.setIntestazioneVisibile(false);

    QStringList names;
    for (const QList<QVariant>& mark : marks)
        names << mark.at(0).toString();
    EXPECT_EQ(names, (QStringList{"Connection", "Query", "CheckBoxes", "PageSize", "Paged",
                                  "ColonnaIndiceImmagine", "IntestazioneVisibile"}));
    EXPECT_EQ(control.property("AbsolutePage").toInt(), 4);
    EXPECT_EQ(control.property("PageSize").toInt(), 12);
}

TEST(ControlProperties, OnlyThreePropertiesAreSavedAndDefaultsAreNotStored)
{
    Tessaro fresh;
    PropertyBag empty;
    fresh.ReadProperties(empty);
    EXPECT_EQ(fresh.Query(), QStringLiteral("Inserire la query"));
    EXPECT_FALSE(fresh.Paged());
    EXPECT_EQ(fresh.AbsolutePage(), 1);

    PropertyBag saved;
    fresh.WriteProperties(saved);
    EXPECT_EQ(saved.Count(), 0) << "values equal to their defaults are not stored";

    Tessaro designed;
    designed.setQuery(QStringLiteral("SELECT id, name FROM t"));
    designed.setPaged(true);
    designed.setAbsolutePage(7);
    designed.setPageSize(25);
    designed.setCheckBoxes(true);
    designed.WriteProperties(saved);
    EXPECT_EQ(saved.Count(), 3);

    const PropertyBag reopenedBag = PropertyBag::deserialise(saved.serialise());
    Tessaro reopened;
    reopened.ReadProperties(reopenedBag);
    EXPECT_EQ(reopened.Query(), QStringLiteral("SELECT id, name FROM t"));
    EXPECT_TRUE(reopened.Paged());
    EXPECT_EQ(reopened.AbsolutePage(), 7);
    EXPECT_EQ(reopened.PageSize(), 0) << "PageSize is marked changed but never saved";
    EXPECT_FALSE(reopened.CheckBoxes());
}

TEST(ControlProperties, AnUnconvertibleSavedValueLeavesThePropertyAsItWas)
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("Paged"), QStringLiteral("forse"), false);
    bag.WriteProperty(QStringLiteral("AbsolutePage"), QStringLiteral("tre"), 1);
    Tessaro control;
    control.setPaged(true);
    control.setAbsolutePage(5);
    control.ReadProperties(bag);
    EXPECT_TRUE(control.Paged());
    EXPECT_EQ(control.AbsolutePage(), 5);
    EXPECT_EQ(control.Query(), QStringLiteral("Inserire la query"));
    EXPECT_THROW(PropertyBag::deserialise("not a bag"), tessaro::Error);
}

TEST(ControlProperties, HeaderPanelActionsMoveTheListEveryTimeTheyRun)
{
    Tessaro control;
    control.resize(9030 / 15, 3765 / 15);
    control.show();
    const double top = twips(control, "lstv", "Top");
    const double height = twips(control, "lstv", "Height");
    const double shift = 525 - 105;

    control.setIntestazioneVisibile(true);
    EXPECT_TRUE(control.IntestazioneVisibile());
    EXPECT_DOUBLE_EQ(twips(control, "lstv", "Top"), top + shift);
    EXPECT_DOUBLE_EQ(twips(control, "lstv", "Height"), height - shift);
    EXPECT_TRUE(child(control, "pctNascondi")->property("Visible").toBool());
    EXPECT_FALSE(child(control, "pctEstendi")->property("Visible").toBool());
    EXPECT_EQ(control.focusWidget(), child(control, "cmbCercaIn"));

    control.setIntestazioneVisibile(true);
    EXPECT_DOUBLE_EQ(twips(control, "lstv", "Top"), top + 2 * shift);

    control.setIntestazioneVisibile(false);
    EXPECT_FALSE(control.IntestazioneVisibile());
    EXPECT_DOUBLE_EQ(twips(control, "lstv", "Top"), top + shift);
    EXPECT_TRUE(child(control, "pctEstendi")->property("Visible").toBool());
    EXPECT_EQ(control.focusWidget(), child(control, "cmbCercaIn")) << "hiding leaves the focus";
}

TEST(ControlProperties, ChildControlsCarryTheirDesignedNamesAndTwips)
{
    Tessaro control;
    struct Design {
        const char* name;
        double left, top, width, height;
        bool visible;
    };
    const Design designs[] = {
        {"pctIntestazione", 0, 0, 9015, 525, false}, {"pctEstendi", -15, 0, 750, 135, true},
        {"pctNascondi", -15, 0, 750, 135, false},     {"Label1", 45, 150, 270, 210, true},
        {"cmbCercaIn", 225, 90, 3105, 315, true},     {"Label2", 3435, 150, 525, 210, true},
        {"txtRicerca", 3930, 75, 2595, 330, true},    {"cmdTrova", 6570, 75, 405, 360, true},
        {"cmdSomma", 6975, 75, 405, 360, true},       {"cmdEsportaInExcel", 7350, 75, 405, 360, true},
        {"optTutti", 7800, 15, 975, 225, true},       {"optSelezionati", 7800, 240, 1155, 225, true},
        {"lblNumRecord", 2610, 15, 4800, 300, true},  {"lblPagine", 0, 15, 1140, 300, false},
        {"lblPag(0)", 1830, 75, 105, 300, false},     {"lblPag(1)", 2025, 75, 105, 300, true},
        {"lblPag(6)", 2940, 75, 105, 300, true},      {"lblPag(7)", 3120, 75, 105, 300, false},
        {"imgPrimaPagina", 0, 0, 240, 150, true},     {"imgPrecedente", 1440, 15, 150, 150, true},
        {"imgSuccessiva", 1200, 60, 150, 150, true},  {"imgUltimaPagina", 360, 0, 240, 150, true},
        {"lblCaricatutti", 7050, 15, 1140, 300, true}, {"lblPaginaRisultati", 5760, 0, 1500, 300, false},
    };
    for (const Design& design : designs) {
        SCOPED_TRACE(design.name);
        QObject* object = child(control, QString::fromLatin1(design.name));
        ASSERT_NE(object, nullptr);
        ASSERT_TRUE(object->isWidgetType());
        EXPECT_DOUBLE_EQ(object->property("Left").toDouble(), design.left);
        EXPECT_DOUBLE_EQ(object->property("Top").toDouble(), design.top);
        EXPECT_DOUBLE_EQ(object->property("Width").toDouble(), design.width);
        EXPECT_DOUBLE_EQ(object->property("Height").toDouble(), design.height);
        EXPECT_EQ(object->property("Visible").toBool(), design.visible);
        // Pixels derive from twips at 15 twips per pixel on the offscreen screen.
        EXPECT_EQ(static_cast<QWidget*>(object)->width(), qRound(design.width / 15));
    }
    EXPECT_EQ(child(control, "lblCaricatutti")->property("Caption").toString(), QStringLiteral("Carica tutti \u00bb   "));
    EXPECT_EQ(child(control, "lblCaricatutti")->property("ToolTipText").toString(), QStringLiteral("Carica tutti i record"));
    EXPECT_EQ(child(control, "lblPag(1)")->property("MousePointer").toInt(), 99);
    EXPECT_TRUE(child(control, "optTutti")->property("Value").toBool());
    EXPECT_DOUBLE_EQ(child(control, "lblPag(3)")->property("FontSize").toDouble(), 8.25);
}

TEST(ControlProperties, MembersAreListedInInterfaceOrderWithIdsAndHelp)
{
    const QList<Tessaro::Member> members = Tessaro::members();
    ASSERT_EQ(members.size(), 20);
    EXPECT_EQ(members.first().name, QStringLiteral("rst"));
    EXPECT_EQ(members.first().dispatchId, 0x40030000u);
    EXPECT_EQ(members.last().name, QStringLiteral("CambiaLingua"));
    EXPECT_EQ(members.last().dispatchId, 0x6003002Du);
    for (const Tessaro::Member& member : members) {
        SCOPED_TRACE(member.name.toStdString());
        const bool hasHelp = member.name == "DBConnection" || member.name == "Query";
        EXPECT_EQ(!member.help.isEmpty(), hasHelp);
    }
    EXPECT_TRUE(members.at(4).help.startsWith(QStringLiteral("Connessione al database")));
}
