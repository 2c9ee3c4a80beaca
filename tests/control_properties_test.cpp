#include <tessaro/Tessaro.h>

#include <QSignalSpy>
#include <QSqlDatabase>
#include <gtest/gtest.h>

using tessaro::PropertyBag;
using tessaro::Tessaro;

// Lets the failure messages show the values.
inline void PrintTo(const QVariant& value, std::ostream* out)
{
    *out << value.toString().toStdString();
}

namespace {

QVariant property(const Tessaro& control, const char* child, const char* name)
{
    return control.findChild<QObject*>(QString::fromLatin1(child))->property(name);
}

// The properties a design saves and a host sets, in one row.
QVariantList state(const Tessaro& c)
{
    return {c.Query(), c.Paged(), c.AbsolutePage(), c.PageSize(), c.CheckBoxes(), c.ColonnaIndiceImmagine(),
            c.IntestazioneVisibile()};
}

} // namespace

TEST(ControlProperties, SettersMarkTheirPropertyChangedUnderTheContainersNames)
{
    Tessaro control;
    EXPECT_EQ(state(control), QVariantList({QString(), false, 0, 0, false, 0, false}));
    EXPECT_TRUE(!control.rst && !control.Columns && !control.ListView);

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
    EXPECT_EQ(names, (QStringList{"Connection", "Query", "CheckBoxes", "PageSize", "Paged", "ColonnaIndiceImmagine",
                                  "IntestazioneVisibile"}));
    EXPECT_EQ(QVariantList({control.property("AbsolutePage"), control.property("PageSize")}), QVariantList({4, 12}));
}

TEST(ControlProperties, OnlyThreePropertiesAreSavedWhenNotDefault)
{
    Tessaro fresh;
    fresh.ReadProperties(PropertyBag());
    EXPECT_EQ(state(fresh), QVariantList({QStringLiteral("Inserire la query"), false, 1, 0, false, 0, false}));
    PropertyBag saved;
    fresh.WriteProperties(saved);
    EXPECT_EQ(saved.Count(), 0) << "values equal to their defaults are not stored";

    Tessaro designed, reopened;
    designed.setQuery(QStringLiteral("SELECT id, name FROM t"));
    designed.setPaged(true);
    designed.setAbsolutePage(7);
    designed.setPageSize(25); // marked changed but never saved
    designed.setCheckBoxes(true);
    designed.WriteProperties(saved);
    EXPECT_EQ(saved.Count(), 3);
    reopened.ReadProperties(PropertyBag::deserialise(saved.serialise()));
    EXPECT_EQ(state(reopened), QVariantList({QStringLiteral("SELECT id, name FROM t"), true, 7, 0, false, 0, false}));

    // A saved value that does not convert leaves its property as it was.
    PropertyBag bad;
    bad.WriteProperty(QStringLiteral("Paged"), QStringLiteral("forse"), false);
    bad.WriteProperty(QStringLiteral("AbsolutePage"), QStringLiteral("tre"), 1);
    reopened.ReadProperties(bad);
    EXPECT_EQ(state(reopened), QVariantList({QStringLiteral("Inserire la query"), true, 7, 0, false, 0, false}));
    EXPECT_THROW(PropertyBag::deserialise("not a bag"), tessaro::Error);
}

TEST(ControlProperties, HeaderPanelActionsMoveTheListEveryTimeTheyRun)
{
    Tessaro control;
    control.resize(9030 / 15, 3765 / 15);
    control.show();
    // The list's top and height, and which of the two panel buttons shows.
    const auto layout = [&] {
        return QVariantList({property(control, "lstv", "Top"), property(control, "lstv", "Height"),
                             property(control, "pctNascondi", "Visible"), property(control, "pctEstendi", "Visible")});
    };
    const double top = layout()[0].toDouble(), height = layout()[1].toDouble(), shift = 525 - 105;
    QWidget* const combo = control.findChild<QWidget*>(QStringLiteral("cmbCercaIn"));
    control.setIntestazioneVisibile(true);
    EXPECT_EQ(layout() << (control.focusWidget() == combo), QVariantList({top + shift, height - shift, true, false, true}));
    control.setIntestazioneVisibile(true);
    EXPECT_EQ(layout()[0], top + 2 * shift);
    control.setIntestazioneVisibile(false); // leaves the focus
    EXPECT_EQ(layout() << (control.focusWidget() == combo), QVariantList({top + shift, height - shift, false, true, true}));
}
