#include "FormDescription.h"

#include <QXmlStreamWriter>

namespace tessaro::designer {
namespace {

// The size the control makes itself, in twips (the plugin sees only the public library, so the
// control's own layout constants are repeated here).
constexpr int kControlWidthTwips = 9030;
constexpr int kControlHeightTwips = 3765;
// Designer's forms are laid out at 96 dpi, 15 twips a pixel; both sizes divide evenly.
constexpr int kTwipsPerFormPixel = 15;
static_assert(kControlWidthTwips % kTwipsPerFormPixel == 0 && kControlHeightTwips % kTwipsPerFormPixel == 0);
constexpr int kFormWidth = kControlWidthTwips / kTwipsPerFormPixel;
constexpr int kFormHeight = kControlHeightTwips / kTwipsPerFormPixel;

const QString kDefaultObjectName = QStringLiteral("tessaro");
// The query is SQL, not a text for translators, and usually runs over several lines.
const QString kQueryProperty = QStringLiteral("Query");
const QString kQueryEditor = QStringLiteral("multiline");

void writeGeometry(QXmlStreamWriter& xml)
{
    xml.writeStartElement(QStringLiteral("property"));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("geometry"));
    xml.writeStartElement(QStringLiteral("rect"));
    xml.writeTextElement(QStringLiteral("x"), QStringLiteral("0"));
    xml.writeTextElement(QStringLiteral("y"), QStringLiteral("0"));
    xml.writeTextElement(QStringLiteral("width"), QString::number(defaultFormSize().width()));
    xml.writeTextElement(QStringLiteral("height"), QString::number(defaultFormSize().height()));
    xml.writeEndElement();
    xml.writeEndElement();
}

// Designer reads a property's tooltip from the text of a <tooltip name="..."> element.
void writePropertyEditing(QXmlStreamWriter& xml)
{
    xml.writeStartElement(QStringLiteral("propertyspecifications"));
    for (const PropertyHelp& entry : propertyHelp()) {
        xml.writeStartElement(QStringLiteral("tooltip"));
        xml.writeAttribute(QStringLiteral("name"), QString::fromLatin1(entry.property));
        xml.writeCharacters(QString::fromUtf8(entry.help));
        xml.writeEndElement();
    }
    xml.writeEmptyElement(QStringLiteral("stringpropertyspecification"));
    xml.writeAttribute(QStringLiteral("name"), kQueryProperty);
    xml.writeAttribute(QStringLiteral("type"), kQueryEditor);
    xml.writeAttribute(QStringLiteral("notr"), QStringLiteral("true"));
    xml.writeEndElement();
}

} // namespace

const QList<PropertyHelp>& propertyHelp()
{
    static const QList<PropertyHelp> help{
        {"Query", "SQL text of the list's query. Its first field is not shown: it becomes the Tag of "
                  "each row (a primary key, say)."},
        {"CheckBoxes", "Whether each row has a check box. Takes effect on the list at the next Init_class."},
        {"AbsolutePage", "Number of the page shown, counted from 1."},
        {"PageSize", "Rows per page. While the list is paged, the control sets it to the rows that fit "
                     "its height."},
        {"Paged", "Whether the list is divided into pages that fit its height, or shows every row. "
                  "The view the user last left is remembered and takes precedence."},
        {"ColonnaIndiceImmagine", "Column that carries each row's image number in ImageList; 0 means "
                                  "no row icons."},
        {"IntestazioneVisibile", "Whether the header panel (search, totals, export) is shown."},
        {"WholeResult", "In the paged view, whether a header click, find, totals and export work on every "
                        "row of the query (sorted and searched by the database) rather than on the page shown."},
        {"MousePointer", "The control's pointer, a PointerShape number: 0 default, 11 hourglass while "
                         "a page loads."},
    };
    return help;
}

QSize defaultFormSize()
{
    return {kFormWidth, kFormHeight};
}

QString formDescription(const QString& className)
{
    QString text;
    QXmlStreamWriter xml(&text);
    xml.setAutoFormatting(true);
    xml.writeStartElement(QStringLiteral("ui"));
    xml.writeAttribute(QStringLiteral("language"), QStringLiteral("c++"));
    xml.writeAttribute(QStringLiteral("displayname"), QStringLiteral("Tessaro"));

    xml.writeStartElement(QStringLiteral("widget"));
    xml.writeAttribute(QStringLiteral("class"), className);
    xml.writeAttribute(QStringLiteral("name"), kDefaultObjectName);
    writeGeometry(xml);
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("customwidgets"));
    xml.writeStartElement(QStringLiteral("customwidget"));
    xml.writeTextElement(QStringLiteral("class"), className);
    writePropertyEditing(xml);
    xml.writeEndElement();
    xml.writeEndElement();

    xml.writeEndElement();
    return text.trimmed();
}

} // namespace tessaro::designer
