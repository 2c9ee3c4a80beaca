#include "platform/sql/SqlText.h"

#include <QRegularExpression>

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace tessaro::sql {

namespace {

struct Word {
    qsizetype start;
    qsizetype end;
};

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

// Where the quoted text, bracketed name or comment starting at `i` ends, or `i` for none.
qsizetype skipQuotedOrComment(const QString& sql, qsizetype i)
{
    const QChar c = sql.at(i);
    const QChar next = i + 1 < sql.size() ? sql.at(i + 1) : QChar();
    auto endAfter = [&](const QString& closing, qsizetype from) {
        const qsizetype found = sql.indexOf(closing, from);
        return found < 0 ? sql.size() : found + closing.size();
    };
    if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`'))
        return endAfter(QString(c), i + 1);
    if (c == QLatin1Char('['))
        return endAfter(QStringLiteral("]"), i + 1);
    if (c == QLatin1Char('-') && next == QLatin1Char('-'))
        return endAfter(QStringLiteral("\n"), i + 2);
    if (c == QLatin1Char('/') && next == QLatin1Char('*'))
        return endAfter(QStringLiteral("*/"), i + 2);
    return i;
}

// The words of `sql` outside parentheses, quotes and comments.
std::vector<Word> topLevelWords(const QString& sql)
{
    std::vector<Word> words;
    int depth = 0;
    qsizetype i = 0;
    while (i < sql.size()) {
        const qsizetype skipped = skipQuotedOrComment(sql, i);
        if (skipped != i) {
            i = skipped;
            continue;
        }
        const QChar c = sql.at(i);
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        if (!isWordChar(c)) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < sql.size() && isWordChar(sql.at(i)))
            ++i;
        if (depth == 0)
            words.push_back({start, i});
    }
    return words;
}

bool isWord(const QString& sql, const Word& word, QLatin1String text)
{
    return QStringView(sql).mid(word.start, word.end - word.start).compare(text, Qt::CaseInsensitive) == 0;
}

bool isAnyWord(const QString& sql, const Word& word, std::initializer_list<const char*> texts)
{
    return std::any_of(texts.begin(), texts.end(),
                       [&](const char* text) { return isWord(sql, word, QLatin1String(text)); });
}

// Marks that MySQL-family servers read differently: `#` starts a comment there, `--` is one only
// before a blank, and `/*!` or `/*M!` hold text the server runs.
bool readDifferentlyByMysql(const QString& sql, qsizetype i)
{
    const QStringView rest = QStringView(sql).mid(i);
    if (rest.startsWith(QLatin1Char('#')))
        return true;
    if (rest.startsWith(QLatin1String("--")))
        return rest.size() > 2 && !rest.at(2).isSpace();
    return rest.startsWith(QLatin1String("/*!")) || rest.startsWith(QLatin1String("/*M!"), Qt::CaseInsensitive);
}

} // namespace

SqlShape sqlShape(const QString& sql)
{
    SqlShape shape;
    qsizetype i = 0;
    while (i < sql.size()) {
        if (readDifferentlyByMysql(sql, i))
            shape.unreadable = true;
        const qsizetype skipped = skipQuotedOrComment(sql, i);
        if (skipped != i) {
            i = skipped;
            continue;
        }
        if (sql.at(i) == QLatin1Char(';'))
            ++shape.semicolons;
        if (!isWordChar(sql.at(i))) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < sql.size() && isWordChar(sql.at(i)))
            ++i;
        shape.words << sql.mid(start, i - start).toLower();
    }
    return shape;
}

QString subqueryBody(const QString& statement)
{
    qsizetype end = statement.size();
    while (end > 0 && (statement.at(end - 1).isSpace() || statement.at(end - 1) == QLatin1Char(';')))
        --end;
    return statement.left(end);
}

namespace {

struct Ordering {
    qsizetype start; ///< where ORDER BY begins, or -1 for none
    qsizetype end;   ///< where the clause ends: the row limit after it, or the end of the body
};

Ordering finalOrdering(const QString& body)
{
    const std::vector<Word> words = topLevelWords(body);
    std::size_t order = words.size();
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        if (isWord(body, words[i], QLatin1String("order")) && isWord(body, words[i + 1], QLatin1String("by")))
            order = i;
    }
    if (order == words.size())
        return {-1, body.size()};
    for (std::size_t k = order + 2; k < words.size(); ++k) {
        if (isAnyWord(body, words[k], {"limit", "offset", "fetch", "for"}))
            return {words[order].start, words[k].start};
    }
    return {words[order].start, body.size()};
}

} // namespace

QString withoutFinalOrdering(const QString& body)
{
    const Ordering ordering = finalOrdering(body);
    if (ordering.start < 0)
        return body;
    return body.left(ordering.start) + QLatin1Char('\n') + body.mid(ordering.end);
}

bool endsWithOrdering(const QString& body)
{
    const Ordering ordering = finalOrdering(body);
    return ordering.start >= 0 && ordering.end == body.size();
}

bool hasRowLimit(const QString& body)
{
    const std::vector<Word> words = topLevelWords(body);
    return std::any_of(words.begin(), words.end(),
                       [&](const Word& word) { return isAnyWord(body, word, {"limit", "offset", "fetch"}); });
}

namespace {

// The terms of an ORDER BY clause, split at its top-level commas; nothing when a comment in it
// would hide where a term ends.
std::optional<QStringList> orderingTerms(const QString& clause)
{
    QStringList terms;
    int depth = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < clause.size();) {
        const qsizetype skipped = skipQuotedOrComment(clause, i);
        if (skipped != i) {
            if (clause.at(i) == QLatin1Char('-') || clause.at(i) == QLatin1Char('/'))
                return std::nullopt;
            i = skipped;
            continue;
        }
        const QChar c = clause.at(i);
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        else if (c == QLatin1Char(',') && depth == 0) {
            terms << clause.mid(start, i - start).trimmed();
            start = i + 1;
        }
        ++i;
    }
    terms << clause.mid(start).trimmed();
    return terms;
}

// One term the other way round; nothing for a term ordered USING an operator.
std::optional<QString> reversedTerm(const QString& term, QString& expression)
{
    static const QRegularExpression shape(
        QStringLiteral("^(.*?)(?:\\s+(asc|desc))?(?:\\s+nulls\\s+(first|last))?$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = shape.match(term);
    expression = match.captured(1).trimmed();
    const std::vector<Word> words = topLevelWords(expression);
    if (!match.hasMatch() || expression.isEmpty()
        || std::any_of(words.begin(), words.end(),
                       [&](const Word& word) { return isWord(expression, word, QLatin1String("using")); }))
        return std::nullopt;
    const bool descending = match.captured(2).compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0;
    QString reversed = expression + (descending ? QStringLiteral(" ASC") : QStringLiteral(" DESC"));
    if (!match.captured(3).isEmpty()) {
        const bool first = match.captured(3).compare(QLatin1String("first"), Qt::CaseInsensitive) == 0;
        reversed += first ? QStringLiteral(" NULLS LAST") : QStringLiteral(" NULLS FIRST");
    }
    return reversed;
}

// Whether `expression` names the key field: "id", "t.id", a quoted "id", or position 1.
bool isKey(const QString& expression, const QString& key)
{
    QString last = expression.section(QLatin1Char('.'), -1).trimmed();
    if (last.size() > 2 && last.startsWith(QLatin1Char('"')) && last.endsWith(QLatin1Char('"')))
        last = last.mid(1, last.size() - 2);
    return last == QLatin1String("1") || last.compare(key, Qt::CaseInsensitive) == 0;
}

} // namespace

std::optional<QString> reversedOrdering(const QString& body, const QString& key)
{
    const Ordering ordering = finalOrdering(body);
    if (ordering.start < 0 || ordering.end != body.size() || hasRowLimit(body))
        return std::nullopt;
    // After "ORDER BY" itself.
    const std::vector<Word> words = topLevelWords(body.mid(ordering.start));
    const std::optional<QStringList> terms = orderingTerms(body.mid(ordering.start + words.at(1).end));
    if (!terms)
        return std::nullopt;
    QStringList reversed;
    QString expression;
    for (const QString& term : *terms) {
        const std::optional<QString> turned = reversedTerm(term, expression);
        if (!turned)
            return std::nullopt;
        reversed << *turned;
    }
    if (!isKey(expression, key))
        return std::nullopt;
    return body.left(ordering.start) + QStringLiteral("ORDER BY ") + reversed.join(QStringLiteral(", "));
}

} // namespace tessaro::sql
