#pragma once

// What the spreadsheet-layer and the export tests share: the workbooks handed to the opener, and
// a reader that takes an .xlsx apart as a spreadsheet program would (the zip parts through
// `unzip`, then the workbook, sheet and style XML).

#include <tessaro/SpreadsheetOpener.h>

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QStringList>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace tessaro::test {

/// Keeps the path of every workbook handed to the opener while it lives, instead of opening it,
/// and removes those workbooks' folders at the end.
class OpenedWorkbooks {
public:
    OpenedWorkbooks() : m_previous(setSpreadsheetOpener([this](const QString& path) { m_paths << path; })) {}
    ~OpenedWorkbooks()
    {
        setSpreadsheetOpener(m_previous);
        for (const QString& path : m_paths)
            QFileInfo(path).dir().removeRecursively();
    }
    Q_DISABLE_COPY(OpenedWorkbooks)
    const QStringList& paths() const { return m_paths; }

private:
    QStringList m_paths;
    SpreadsheetOpener m_previous;
};

class XlsxFile {
public:
    // value: the text, or the number as written in the XML; number: a number cell (no t
    // attribute), else a text or blank; style: index into cellXfs.
    struct Cell { QString value; bool number = false; int style = 0; };
    // formatCode: "General", "@" (built-in 49) or the custom code; horizontal: "" or "right", "left", "center".
    struct Style { QString formatCode; bool bold = false; QString horizontal; };
    struct Column { int style = 0; bool customWidth = false; };

    explicit XlsxFile(const QString& path) : m_path(path)
    {
        scan("xl/workbook.xml", [this](QXmlStreamReader& xml) {
            if (xml.name() == u"sheet")
                m_sheets << text(xml, "name");
        });
        readStyles();
        std::pair<int, int> at; // the cell being read (row, column)
        bool numeric = false;   // whether it has no text type
        scan("xl/worksheets/sheet1.xml", [&](QXmlStreamReader& xml) {
            if (xml.name() == u"col") {
                for (int k = number(xml, "min"); k <= number(xml, "max"); ++k)
                    m_columns[k] = {number(xml, "style"), text(xml, "customWidth") == u"1"};
            } else if (xml.name() == u"c") {
                at = {0, 0}; // from a reference such as "AB12"
                for (QChar ch : text(xml, "r"))
                    ch.isLetter() ? at.second = at.second * 26 + (ch.unicode() - 'A' + 1)
                                  : at.first = at.first * 10 + ch.digitValue();
                numeric = text(xml, "t").isEmpty() || text(xml, "t") == u"n";
                m_cells[at] = {QString(), false, number(xml, "s")}; // a blank carries only its style
            } else if (xml.name() == u"v" || xml.name() == u"t") { // <t>: inline strings, as streamed sheets hold them
                m_cells[at].value = xml.readElementText();
                m_cells[at].number = numeric && !m_cells[at].value.isEmpty();
            }
        });
    }

    QByteArray part(const QString& name) const
    {
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), m_path, name});
        unzip.waitForFinished(30000);
        EXPECT_EQ(unzip.exitCode(), 0) << "no part " << name.toStdString();
        return unzip.readAllStandardOutput();
    }

    const QStringList& sheetNames() const { return m_sheets; }
    int lastRow() const { return m_cells.empty() ? 0 : m_cells.rbegin()->first.first; }
    bool has(int row, int column) const { return m_cells.count({row, column}) > 0; }
    Cell cell(int row, int column) const { return has(row, column) ? m_cells.at({row, column}) : Cell{}; }
    Style style(int xf) const { return xf < static_cast<int>(m_styles.size()) ? m_styles[xf] : Style{}; }
    /// The values of one row, columns 1..columns.
    QStringList row(int row, int columns) const
    {
        QStringList values;
        for (int c = 1; c <= columns; ++c) values << cell(row, c).value;
        return values;
    }
    /// The <col> entry covering a column; a default one when none does.
    Column column(int index) const { return m_columns.value(index); }

private:
    static QString text(const QXmlStreamReader& xml, const char* name)
    {
        return xml.attributes().value(QLatin1String(name)).toString();
    }
    static int number(const QXmlStreamReader& xml, const char* name) { return text(xml, name).toInt(); }

    // Hands every start element of a part to `visit`.
    template <class Visit>
    void scan(const char* name, Visit visit) const
    {
        QXmlStreamReader xml(part(QString::fromLatin1(name)));
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement)
                visit(xml);
    }

    void readStyles()
    {
        QMap<int, QString> codes{{0, QStringLiteral("General")}, {49, QStringLiteral("@")}};
        std::vector<bool> boldFonts;
        bool inCellXfs = false; // collections, named in the plural, delimit the list of cell formats
        scan("xl/styles.xml", [&](QXmlStreamReader& xml) {
            if (const QStringView name = xml.name(); name == u"numFmt")
                codes[number(xml, "numFmtId")] = text(xml, "formatCode");
            else if (name == u"font")
                boldFonts.push_back(false);
            else if (name == u"b" && !boldFonts.empty())
                boldFonts.back() = true;
            else if (name == u"xf" && inCellXfs) {
                const auto font = static_cast<std::size_t>(number(xml, "fontId"));
                m_styles.push_back({codes.value(number(xml, "numFmtId")), font < boldFonts.size() && boldFonts[font]});
            } else if (name == u"alignment" && inCellXfs && !m_styles.empty())
                m_styles.back().horizontal = text(xml, "horizontal");
            else if (name.endsWith(u's'))
                inCellXfs = name == u"cellXfs";
        });
    }

    QString m_path;
    QStringList m_sheets;
    std::vector<Style> m_styles;
    QMap<int, Column> m_columns;
    std::map<std::pair<int, int>, Cell> m_cells;
};

} // namespace tessaro::test
