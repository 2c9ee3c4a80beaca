#include "platform/sql/StatementCheck.h"

#include "platform/sql/SqlText.h"

#include <QStringList>

namespace tessaro::sql {

namespace {

// Words that, anywhere in a read, mean it may write, lock or call code: SELECT ... INTO (a table,
// a variable or a file), FOR UPDATE, LOCK IN SHARE MODE, PROCEDURE, a data-modifying WITH part,
// sequence steps. Table and column names spelt so are quoted.
const QStringList kWritingWords = {
    QStringLiteral("into"),    QStringLiteral("update"),   QStringLiteral("delete"),  QStringLiteral("insert"),
    QStringLiteral("merge"),   QStringLiteral("call"),     QStringLiteral("lock"),    QStringLiteral("outfile"),
    QStringLiteral("dumpfile"), QStringLiteral("procedure"), QStringLiteral("nextval"), QStringLiteral("setval"),
    QStringLiteral("exec"),    QStringLiteral("execute"),
};

const QStringList kReadingStarts = {QStringLiteral("select"), QStringLiteral("with"), QStringLiteral("values")};

} // namespace

std::optional<StatementDoubt> statementDoubt(const QString& statement)
{
    const SqlShape shape = sqlShape(subqueryBody(statement));
    if (shape.unreadable)
        return StatementDoubt::Unreadable;
    if (shape.semicolons > 0)
        return StatementDoubt::SeveralStatements;
    if (shape.words.isEmpty() || !kReadingStarts.contains(shape.words.front()))
        return StatementDoubt::NotARead;
    for (const QString& word : shape.words) {
        if (kWritingWords.contains(word))
            return StatementDoubt::MayWrite;
    }
    return std::nullopt;
}

} // namespace tessaro::sql
