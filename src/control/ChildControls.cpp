#include "control/Glyphs.h"
#include "control/TessaroPrivate.h"
#include "design/Layout.h"
#include "platform/controls/ControlSupport.h"

#include <QFont>
#include <QPalette>

namespace tessaro {
namespace {

using design::Box;
using design::LabelDesign;

template <class Control>
void place(Control& control, const Box& box)
{
    control.Move(box.left, box.top, box.width, box.height);
}

void setFontFamily(QWidget* widget, const char* family)
{
    static const bool substituted = [] {
        QFont::insertSubstitution(QLatin1String(design::kCaptionFace), QLatin1String(design::kCaptionFaceStandIn));
        QFont::insertSubstitution(QLatin1String(design::kArrowFace), QLatin1String(design::kArrowFaceStandIn));
        return true;
    }();
    Q_UNUSED(substituted);
    QFont font = widget->font();
    font.setFamily(QString::fromLatin1(family));
    font.setPointSizeF(design::kCaptionPoints);
    font.setBold(false);
    widget->setFont(font);
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

Label* makeLabel(const LabelDesign& row, QWidget* parent)
{
    auto* label = new Label(QString::fromLatin1(row.name), parent);
    label->setText(QString::fromUtf8(row.caption));
    place(*label, row.box);
    setFontFamily(label, row.face);
    label->setToolTip(QString::fromUtf8(row.toolTip));
    label->setMousePointer(row.pointer);
    label->setAlignment(row.alignment | Qt::AlignTop);
    label->setVisible(row.visible);
    return label;
}

Label* findLabel(QWidget* parent, const char* name)
{
    return parent->findChild<Label*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

Image* makeArrow(const char* name, glyphs::Arrow arrow, const Box& box, const char* toolTip, QWidget* parent)
{
    auto* image = new Image(QString::fromLatin1(name), parent);
    image->setPicture(glyphs::pageArrow(arrow));
    place(*image, box);
    image->setToolTip(QString::fromUtf8(toolTip));
    image->setMousePointer(PointerShape::Hand);
    return image;
}

CommandButton* makePictureButton(const char* name, const QPixmap& picture, const Box& box, QWidget* parent)
{
    auto* button = new CommandButton(QString::fromLatin1(name), parent);
    button->setIcon(QIcon(picture));
    place(*button, box);
    return button;
}

} // namespace

double controlWidthTwips(const QWidget* control)
{
    return control->width() * TwipsGeometry::twipsPerPixel(control);
}

double controlHeightTwips(const QWidget* control)
{
    return control->height() * TwipsGeometry::twipsPerPixel(control);
}

void TessaroPrivate::buildChildControls(Tessaro* owner)
{
    setSolidBackground(owner, design::kControlColour);
    buildHeaderPanel(owner);

    lstv = new tessaro::ListView(owner);
    lstv->setObjectName(QStringLiteral("lstv"));
    place(*lstv, design::kList);

    pctEstendi = new PictureBox(QStringLiteral("pctEstendi"), owner);
    pctEstendi->setPicture(glyphs::panelSwitch(true));
    place(*pctEstendi, design::kPanelSwitch);
    pctNascondi = new PictureBox(QStringLiteral("pctNascondi"), owner);
    pctNascondi->setPicture(glyphs::panelSwitch(false));
    place(*pctNascondi, design::kPanelSwitch);
    pctNascondi->setVisible(false);

    buildPageFrame(owner);
}

void TessaroPrivate::buildHeaderPanel(Tessaro* owner)
{
    pctIntestazione = new PictureBox(QStringLiteral("pctIntestazione"), owner);
    pctIntestazione->setBackColor(design::kPanelColour);
    setTextColour(pctIntestazione, owner->palette().color(QPalette::WindowText));
    place(*pctIntestazione, design::kPanel);
    pctIntestazione->setVisible(false);
    QWidget* panel = pctIntestazione;

    Label1 = new Label(QStringLiteral("Label1"), panel);
    Label1->setText(QStringLiteral("in"));
    place(*Label1, design::kSearchInLabel);
    cmbCercaIn = new ComboBox(QStringLiteral("cmbCercaIn"), panel);
    place(*cmbCercaIn, design::kSearchColumn);
    Label2 = new Label(QStringLiteral("Label2"), panel);
    Label2->setText(QStringLiteral("Cerca"));
    place(*Label2, design::kSearchLabel);
    txtRicerca = new TextBox(QStringLiteral("txtRicerca"), panel);
    place(*txtRicerca, design::kSearchText);
    cmdTrova = makePictureButton("cmdTrova", glyphs::findButton(), design::kFindButton, panel);
    cmdSomma = makePictureButton("cmdSomma", glyphs::totalsButton(), design::kTotalsButton, panel);
    cmdEsportaInExcel = makePictureButton("cmdEsportaInExcel", glyphs::exportButton(), design::kExportButton, panel);
    optTutti = new OptionButton(QStringLiteral("optTutti"), panel);
    optTutti->setText(QStringLiteral("Tutti"));
    place(*optTutti, design::kAllRowsOption);
    optTutti->setChecked(true);
    optSelezionati = new OptionButton(QStringLiteral("optSelezionati"), panel);
    optSelezionati->setText(QStringLiteral("Selezionati"));
    place(*optSelezionati, design::kSelectedRowsOption);

    for (QWidget* whiteText : std::initializer_list<QWidget*>{Label1, Label2, optTutti, optSelezionati})
        setTextColour(whiteText, design::kPanelTextColour);
    for (QWidget* child : panel->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        setFontFamily(child, design::kCaptionFace);
}

void TessaroPrivate::buildPageFrame(Tessaro* owner)
{
    fraPaginazione = new Frame(QStringLiteral("fraPaginazione"), owner);
    fraPaginazione->setBackColor(design::kControlColour);
    place(*fraPaginazione, design::kPageFrame);
    fraPaginazione->setVisible(false);

    for (const LabelDesign& row : design::kPageFrameLabels)
        makeLabel(row, fraPaginazione);
    lblNumRecord = findLabel(fraPaginazione, "lblNumRecord");
    lblPagine = findLabel(fraPaginazione, "lblPagine");
    lblCaricatutti = findLabel(fraPaginazione, "lblCaricatutti");
    lblPaginaRisultati = findLabel(fraPaginazione, "lblPaginaRisultati");
    lblPrimaPagina = findLabel(fraPaginazione, "lblPrimaPagina");
    lblUltimaPagina = findLabel(fraPaginazione, "lblUltimaPagina");

    buildPageLabels();
    buildArrowImages();
}

void TessaroPrivate::buildPageLabels()
{
    static const char* const captions[8] = {"<", "1000", "2", "3", "4", "5", "6", ">"};
    for (int i = 0; i < 8; ++i) {
        const QByteArray name = QStringLiteral("lblPag(%1)").arg(i).toLatin1();
        const bool arrow = i == 0 || i == 7;
        const char* toolTip = i == 0 ? "Pagine precedenti" : i == 7 ? "Pagine successive" : "";
        Box box = design::kPageNumber;
        box.left = design::kPageNumberLefts[i];
        const LabelDesign row{name.constData(), captions[i], box, arrow ? design::kArrowFace : design::kCaptionFace,
                              toolTip, PointerShape::Hand, !arrow, Qt::AlignHCenter};
        lblPag[static_cast<std::size_t>(i)] = makeLabel(row, fraPaginazione);
    }
}

void TessaroPrivate::buildArrowImages()
{
    using glyphs::Arrow;
    imgPrimaPagina = makeArrow("imgPrimaPagina", Arrow::First, design::kArrowFirst, "Vai alla prima pagina",
                               fraPaginazione);
    imgPrecedente = makeArrow("imgPrecedente", Arrow::Previous, design::kArrowPrevious, "Pagine precedenti",
                              fraPaginazione);
    imgSuccessiva = makeArrow("imgSuccessiva", Arrow::Next, design::kArrowNext, "Pagine successive",
                              fraPaginazione);
    imgUltimaPagina = makeArrow("imgUltimaPagina", Arrow::Last, design::kArrowLast, "Vai all'ultima pagina",
                                fraPaginazione);
}

} // namespace tessaro
