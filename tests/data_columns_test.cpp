#include "support/TestHelpers.h"

#include <tessaro/collColonne.h>

#include <gtest/gtest.h>

using tessaro::collColonne;
using tessaro::Error;
using tessaro::test::errorNumberOf;

TEST(ColumnCollection, EntriesAreNumberedWithoutGaps)
{
    collColonne columns;
    auto first = columns.Add(QStringLiteral("Cliente"), 1500, QStringLiteral("#,##0"));
    auto second = columns.Add(QStringLiteral("B"), 0, QString(), QString());
    auto third = columns.Add(QStringLiteral("C"), 0, QString());
    EXPECT_EQ(QStringList({first->Intestazione(), QString::number(first->Larghezza()), first->Formattazione(),
                           QString::number(first->TipoCampo()), QString::number(first->Allineamento())}),
              QStringList({"Cliente", "1500", "#,##0", "0", "0"}));
    columns.Remove(1);
    EXPECT_EQ(columns.NewEnum(), (std::vector<std::shared_ptr<tessaro::clsColonna>>{second, third}));
    EXPECT_EQ(columns.Item(1), second) << "what Add returns is the stored entry";
}

TEST(ColumnCollection, KeysAreUniqueWhateverTheirCase)
{
    collColonne columns;
    columns.Add(QStringLiteral("no key"), 0, QString(), QString());
    columns.Add(QStringLiteral("no key either"), 0, QString());
    auto keyed = columns.Add(QStringLiteral("Importo"), 0, QString(), QStringLiteral("amount"));
    EXPECT_EQ(columns.Item(QStringLiteral("AMOUNT")), keyed);
    EXPECT_EQ(errorNumberOf([&] { columns.Add(QStringLiteral("dup"), 0, QString(), QStringLiteral("Amount")); }),
              Error::KeyAlreadyAssociated);
    EXPECT_EQ(columns.Count(), 3) << "a failed Add must leave the collection unchanged";
    columns.Remove(QStringLiteral("amount"));

    const std::pair<QVariant, int> cases[] = {
        {0, Error::SubscriptOutOfRange},  {3, Error::SubscriptOutOfRange},
        {-1, Error::SubscriptOutOfRange}, {QStringLiteral("amount"), Error::InvalidProcedureCall},
        {QString(), Error::InvalidProcedureCall},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first.toString().toStdString());
        EXPECT_EQ(errorNumberOf([&] { columns.Item(c.first); }), c.second);
        EXPECT_EQ(errorNumberOf([&] { columns.Remove(c.first); }), c.second);
    }
    EXPECT_EQ(columns.Count(), 2);
}
