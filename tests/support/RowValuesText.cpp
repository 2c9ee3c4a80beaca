#include "support/RowValuesText.h"

#include <QByteArray>
#include <QDateTime>
#include <gtest/gtest.h>

namespace tessaro::test {

QString describe(const QVariant& v)
{
    QString value = v.toString();
    if (v.metaType() == QMetaType::fromType<QByteArray>())
        value = QString::fromLatin1(v.toByteArray().toHex());
    else if (v.metaType() == QMetaType::fromType<QDateTime>())
        value = v.toDateTime().toString(Qt::ISODateWithMs) + ' ' + QString::number(v.toDateTime().timeSpec());
    else if (v.metaType() == QMetaType::fromType<double>())
        value = QString::number(v.toDouble(), 'g', 17);
    return QStringLiteral("%1%2%3 %4").arg(v.typeName(), v.isNull() ? " null" : "", v.isValid() ? "" : " invalid", value);
}

void expectStoredAgrees(const sql::RowValues& row, int field)
{
    using Kind = sql::StoredValue::Kind;
    const sql::StoredValue stored = row.stored(field);
    const QVariant value = row.value(field);
    SCOPED_TRACE(describe(value).toStdString());
    switch (stored.kind) {
    case Kind::Null: EXPECT_TRUE(value.isNull()); break;
    case Kind::Integer: EXPECT_EQ(stored.integer, value.toLongLong()); break;
    case Kind::Real: EXPECT_EQ(QString::number(stored.real, 'g', 17), QString::number(value.toDouble(), 'g', 17)); break;
    case Kind::Text: EXPECT_EQ(QString::fromUtf8(stored.text.data(), qsizetype(stored.text.size())), value.toString()); break;
    case Kind::Other: break;
    }
}

} // namespace tessaro::test
