#pragma once

// What the spreadsheet-layer and the export tests share: the workbooks handed to the opener, and
// a reader that takes an .xlsx apart as a spreadsheet program would (the zip parts through
// `unzip`, then the workbook, sheet and style XML).

#include <tessaro/SpreadsheetOpener.h>

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

namespace tessaro::test {

/// Keeps the path of every workbook handed to the opener while it lives, instead of opening it,
/// and removes those workbooks' folders at the end.
class OpenedWorkbooks {
public:
    OpenedWorkbooks()
    {
        m_previous = setSpreadsheetOpener([this](const QString& path) { m_paths << path; });
    }
    ~OpenedWorkbooks()
    {
        setSpreadsheetOpener(m_previous);
        for (const QString& path : m_paths)
            QFileInfo(path).dir().removeRecursively();
    }
    OpenedWorkbooks(const OpenedWorkbooks&) = delete;
    OpenedWorkbooks& operator=(const OpenedWorkbooks&) = delete;

    const QStringList& paths() const { return m_paths; }

private:
    QStringList m_paths;
    SpreadsheetOpener m_previous;
};

class XlsxFile {
public:
    struct Cell {
        QString value;       // the text, or the number as written in the XML
        bool number = false; // a number cell (no t attribute), else a text or blank
        int style = 0;       // index into cellXfs
    };
    struct Style {
        int numFmtId = 0;
        QString formatCode; // "General", "@" (built-in 49) or the custom code
        bool bold = false;
        QString horizontal; // "" or "right", "left", "center"
    };
    struct Column {
        int min = 0;
        int max = 0;
        double width = 0;
        int style = 0;
        bool customWidth = false;
    };

    explicit XlsxFile(const QString& path) : m_path(path)
    {
        readWorkbook();
        readStyles();
        readSheet();
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
    Cell cell(int row, int column) const
    {
        const auto found = m_cells.find({row, column});
        return found == m_cells.end() ? Cell{} : found->second;
    }
    Style style(int xf) const { return xf < static_cast<int>(m_styles.size()) ? m_styles[xf] : Style{}; }
    Style styleAt(int row, int column) const { return style(cell(row, column).style); }
    /// The values of one row, columns 1..columns.
    QStringList row(int row, int columns) const
    {
        QStringList values;
        for (int c = 1; c <= columns; ++c)
            values << cell(row, c).value;
        return values;
    }
    /// The <col> entry covering a column; a default one when none does.
    Column column(int index) const
    {
        for (const Column& c : m_columns) {
            if (c.min <= index && index <= c.max)
                return c;
        }
        return Column{index, index, 0, 0, false};
    }

private:
    static int columnNumber(QStringView ref)
    {
        int number = 0;
        for (QChar ch : ref) {
            if (!ch.isLetter())
                break;
            number = number * 26 + (ch.unicode() - 'A' + 1);
        }
        return number;
    }
    static int rowNumber(QStringView ref)
    {
        int i = 0;
        while (i < ref.size() && ref[i].isLetter())
            ++i;
        return ref.mid(i).toInt();
    }

    void readWorkbook()
    {
        QXmlStreamReader xml(part(QStringLiteral("xl/workbook.xml")));
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("sheet"))
                m_sheets << xml.attributes().value(QLatin1String("name")).toString();
        }
    }

    void readStyles()
    {
        QMap<int, QString> codes{{0, QStringLiteral("General")}, {49, QStringLiteral("@")}};
        std::vector<bool> boldFonts;
        QXmlStreamReader xml(part(QStringLiteral("xl/styles.xml")));
        bool inCellXfs = false;
        while (!xml.atEnd()) {
            xml.readNext();
            const auto name = xml.name();
            if (xml.isEndElement() && name == QLatin1String("cellXfs"))
                inCellXfs = false;
            if (!xml.isStartElement())
                continue;
            const QXmlStreamAttributes a = xml.attributes();
            if (name == QLatin1String("numFmt"))
                codes[a.value(QLatin1String("numFmtId")).toInt()] = a.value(QLatin1String("formatCode")).toString();
            else if (name == QLatin1String("font"))
                boldFonts.push_back(false);
            else if (name == QLatin1String("b") && !boldFonts.empty())
                boldFonts.back() = true;
            else if (name == QLatin1String("cellXfs"))
                inCellXfs = true;
            else if (name == QLatin1String("xf") && inCellXfs) {
                Style s;
                s.numFmtId = a.value(QLatin1String("numFmtId")).toInt();
                s.formatCode = codes.value(s.numFmtId);
                const auto font = static_cast<std::size_t>(a.value(QLatin1String("fontId")).toInt());
                s.bold = font < boldFonts.size() && boldFonts[font];
                m_styles.push_back(s);
            } else if (name == QLatin1String("alignment") && inCellXfs && !m_styles.empty())
                m_styles.back().horizontal = a.value(QLatin1String("horizontal")).toString();
        }
    }

    void readSheet()
    {
        QXmlStreamReader xml(part(QStringLiteral("xl/worksheets/sheet1.xml")));
        std::pair<int, int> at;
        QString type;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement())
                continue;
            const QXmlStreamAttributes a = xml.attributes();
            if (xml.name() == QLatin1String("col")) {
                m_columns.push_back({a.value(QLatin1String("min")).toInt(), a.value(QLatin1String("max")).toInt(),
                                     a.value(QLatin1String("width")).toDouble(),
                                     a.value(QLatin1String("style")).toInt(),
                                     a.value(QLatin1String("customWidth")) == QLatin1String("1")});
            } else if (xml.name() == QLatin1String("c")) {
                const QStringView ref = a.value(QLatin1String("r"));
                at = {rowNumber(ref), columnNumber(ref)};
                type = a.value(QLatin1String("t")).toString();
                Cell& cell = m_cells[at];
                cell.style = a.value(QLatin1String("s")).toInt();
                cell.number = type.isEmpty() || type == QLatin1String("n");
            } else if (xml.name() == QLatin1String("v")) {
                m_cells[at].value = xml.readElementText();
            } else if (xml.name() == QLatin1String("t")) { // inline strings, as streamed sheets hold them
                m_cells[at].value = xml.readElementText();
            }
        }
        // A blank cell carries only its style: it is no number.
        for (auto& [position, cell] : m_cells) {
            if (cell.value.isEmpty())
                cell.number = false;
        }
    }

    QString m_path;
    QStringList m_sheets;
    std::vector<Style> m_styles;
    std::vector<Column> m_columns;
    std::map<std::pair<int, int>, Cell> m_cells;
};

} // namespace tessaro::test
