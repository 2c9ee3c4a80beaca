#include "support/TestHelpers.h"

#include <tessaro/collColonne.h>
#include <tessaro/Error.h>

#include <gtest/gtest.h>

using tessaro::collColonne;
using tessaro::Error;

using tessaro::test::errorNumberOf;

TEST(ColumnDescriptor, StartsNeutralAndKeepsWhatIsSet)
{
    collColonne columns;
    auto column = columns.Add(QStringLiteral("Cliente"), 1500, QStringLiteral("#,##0"));
    EXPECT_EQ(column->Intestazione(), QStringLiteral("Cliente"));
    EXPECT_EQ(column->Larghezza(), 1500);
    EXPECT_EQ(column->Formattazione(), QStringLiteral("#,##0"));
    EXPECT_EQ(column->TipoCampo(), 0);
    EXPECT_EQ(column->Allineamento(), 0);

    // Plain stored values: nothing is validated or converted.
    column->setTipoCampo(-7);
    column->setAllineamento(42);
    column->setLarghezza(-1);
    EXPECT_EQ(column->TipoCampo(), -7);
    EXPECT_EQ(column->Allineamento(), 42);
    EXPECT_EQ(column->Larghezza(), -1);
}

TEST(ColumnCollection, AddReturnsTheStoredEntryAndRemovalClosesTheGap)
{
    collColonne columns;
    columns.Add(QStringLiteral("A"), 0, QString());
    auto second = columns.Add(QStringLiteral("B"), 0, QString(), QString());
    auto third = columns.Add(QStringLiteral("C"), 0, QString());
    ASSERT_EQ(columns.Count(), 3);

    second->setLarghezza(2000);
    EXPECT_EQ(columns.Item(2)->Larghezza(), 2000);
    EXPECT_EQ(columns.Item(3), third);

    columns.Remove(1);
    EXPECT_EQ(columns.Count(), 2);
    EXPECT_EQ(columns.Item(1), second);
    EXPECT_EQ(columns.Item(2), third);
    EXPECT_EQ(columns.NewEnum(), (std::vector<std::shared_ptr<tessaro::clsColonna>>{second, third}));
}

TEST(ColumnCollection, KeysAreOptionalUniqueAndCaseInsensitive)
{
    collColonne columns;
    columns.Add(QStringLiteral("no key"), 0, QString(), QString());
    columns.Add(QStringLiteral("no key either"), 0, QString());
    auto keyed = columns.Add(QStringLiteral("Importo"), 0, QString(), QStringLiteral("amount"));
    EXPECT_EQ(columns.Count(), 3);
    EXPECT_EQ(columns.Item(QStringLiteral("AMOUNT")), keyed);

    EXPECT_EQ(errorNumberOf([&] { columns.Add(QStringLiteral("dup"), 0, QString(), QStringLiteral("Amount")); }),
              Error::KeyAlreadyAssociated);
    EXPECT_EQ(columns.Count(), 3) << "a failed Add must leave the collection unchanged";

    columns.Remove(QStringLiteral("amount"));
    EXPECT_EQ(columns.Count(), 2);
    EXPECT_EQ(errorNumberOf([&] { columns.Item(QStringLiteral("amount")); }), Error::InvalidProcedureCall);
}

TEST(ColumnCollection, BadPositionsAndKeysReachTheCaller)
{
    collColonne columns;
    columns.Add(QStringLiteral("A"), 0, QString());
    struct Case {
        QVariant indexOrKey;
        int expected;
    };
    const Case cases[] = {
        {0, Error::SubscriptOutOfRange},
        {2, Error::SubscriptOutOfRange},
        {-1, Error::SubscriptOutOfRange},
        {QStringLiteral("missing"), Error::InvalidProcedureCall},
        {QString(), Error::InvalidProcedureCall},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.indexOrKey.toString().toStdString());
        EXPECT_EQ(errorNumberOf([&] { columns.Item(c.indexOrKey); }), c.expected);
        EXPECT_EQ(errorNumberOf([&] { columns.Remove(c.indexOrKey); }), c.expected);
    }
    EXPECT_EQ(columns.Count(), 1);
}
