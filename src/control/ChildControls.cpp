#include "control/Glyphs.h"
#include "control/TessaroPrivate.h"
#include "platform/controls/ControlSupport.h"

#include <QFont>
#include <QPalette>

namespace tessaro {
namespace {

const QColor kPanelColour(75, 107, 192);
const QColor kControlColour(224, 245, 254);

struct Box {
    double left, top, width, height;
};

struct LabelDesign {
    const char* name;
    const char* caption;
    Box box;
    const char* font;
    const char* toolTip;
    int pointer;
    bool visible;
    Qt::Alignment alignment;
};

// The labels of the page frame as designed; the page-number labels follow in buildPageLabels.
const LabelDesign kFrameLabels[] = {
    {"lblNumRecord", "Sono presenti 100 record in 10 pagine", {2610, 15, 4800, 300}, "Tahoma", "", 0, true,
     Qt::AlignLeft},
    {"lblPagine", "Pag. ", {0, 15, 1140, 300}, "Tahoma", "", 0, false, Qt::AlignRight},
    {"lblCaricatutti", "Carica tutti \u00bb   ", {7050, 15, 1140, 300}, "Tahoma", "Carica tutti i record", 99,
     true, Qt::AlignRight},
    {"lblPaginaRisultati", "Dividi in pagine \u00bb   ", {5760, 0, 1500, 300}, "Tahoma", "Pagina i record", 99,
     false, Qt::AlignRight},
    {"lblPrimaPagina", "<<", {0, 15, 255, 300}, "Tahoma", "Vai alla prima pagina", 99, false, Qt::AlignCenter},
    {"lblUltimaPagina", ">>", {0, 15, 255, 300}, "Tahoma", "Vai all'ultima pagina", 99, false, Qt::AlignCenter},
};

void place(TwipsGeometry& control, const Box& box)
{
    control.Move(box.left, box.top, box.width, box.height);
}

void setFontFamily(QWidget* widget, const char* family)
{
    // Where the designed faces are missing, narrow faces keep the captions inside their boxes.
    static const bool substituted = [] {
        QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed"));
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        return true;
    }();
    Q_UNUSED(substituted);
    QFont font = widget->font();
    font.setFamily(QString::fromLatin1(family));
    font.setPointSizeF(8.25);
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

Label* makeLabel(const LabelDesign& design, QWidget* parent)
{
    auto* label = new Label(QString::fromLatin1(design.name), parent);
    label->setText(QString::fromUtf8(design.caption));
    place(*label, design.box);
    setFontFamily(label, design.font);
    label->setToolTip(QString::fromUtf8(design.toolTip));
    label->setMousePointer(design.pointer);
    label->setAlignment(design.alignment | Qt::AlignTop);
    label->setVisible(design.visible);
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
    image->setMousePointer(99);
    return image;
}

CommandButton* makePictureButton(const char* name, const QPixmap& picture, double left, QWidget* parent)
{
    auto* button = new CommandButton(QString::fromLatin1(name), parent);
    button->setIcon(QIcon(picture));
    place(*button, {left, 75, 405, 360});
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
    setSolidBackground(owner, kControlColour);
    buildHeaderPanel(owner);

    lstv = new tessaro::ListView(owner);
    lstv->setObjectName(QStringLiteral("lstv"));
    lstv->Move(0, 105, 9015, 2160);

    pctEstendi = new PictureBox(QStringLiteral("pctEstendi"), owner);
    pctEstendi->setPicture(glyphs::panelSwitch(true));
    place(*pctEstendi, {-15, 0, 750, 135});
    pctNascondi = new PictureBox(QStringLiteral("pctNascondi"), owner);
    pctNascondi->setPicture(glyphs::panelSwitch(false));
    place(*pctNascondi, {-15, 0, 750, 135});
    pctNascondi->setVisible(false);

    buildPageFrame(owner);
}

void TessaroPrivate::buildHeaderPanel(Tessaro* owner)
{
    pctIntestazione = new PictureBox(QStringLiteral("pctIntestazione"), owner);
    pctIntestazione->setBackColor(kPanelColour);
    setTextColour(pctIntestazione, owner->palette().color(QPalette::WindowText));
    place(*pctIntestazione, {0, 0, 9015, 525});
    pctIntestazione->setVisible(false);
    QWidget* panel = pctIntestazione;

    Label1 = new Label(QStringLiteral("Label1"), panel);
    Label1->setText(QStringLiteral("in"));
    place(*Label1, {45, 150, 270, 210});
    cmbCercaIn = new ComboBox(QStringLiteral("cmbCercaIn"), panel);
    place(*cmbCercaIn, {225, 90, 3105, 315});
    Label2 = new Label(QStringLiteral("Label2"), panel);
    Label2->setText(QStringLiteral("Cerca"));
    place(*Label2, {3435, 150, 525, 210});
    txtRicerca = new TextBox(QStringLiteral("txtRicerca"), panel);
    place(*txtRicerca, {3930, 75, 2595, 330});
    cmdTrova = makePictureButton("cmdTrova", glyphs::findButton(), 6570, panel);
    cmdSomma = makePictureButton("cmdSomma", glyphs::totalsButton(), 6975, panel);
    cmdEsportaInExcel = makePictureButton("cmdEsportaInExcel", glyphs::exportButton(), 7350, panel);
    optTutti = new OptionButton(QStringLiteral("optTutti"), panel);
    optTutti->setText(QStringLiteral("Tutti"));
    place(*optTutti, {7800, 15, 975, 225});
    optTutti->setChecked(true);
    optSelezionati = new OptionButton(QStringLiteral("optSelezionati"), panel);
    optSelezionati->setText(QStringLiteral("Selezionati"));
    place(*optSelezionati, {7800, 240, 1155, 225});

    for (QWidget* whiteText : std::initializer_list<QWidget*>{Label1, Label2, optTutti, optSelezionati})
        setTextColour(whiteText, Qt::white);
    for (QWidget* child : panel->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        setFontFamily(child, "Tahoma");
}

void TessaroPrivate::buildPageFrame(Tessaro* owner)
{
    fraPaginazione = new Frame(QStringLiteral("fraPaginazione"), owner);
    fraPaginazione->setBackColor(kControlColour);
    place(*fraPaginazione, {675, 3435, 8340, 240});
    fraPaginazione->setVisible(false);

    for (const LabelDesign& design : kFrameLabels)
        makeLabel(design, fraPaginazione);
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
    static const double lefts[8] = {1830, 2025, 2190, 2385, 2565, 2760, 2940, 3120};
    for (int i = 0; i < 8; ++i) {
        const QByteArray name = QStringLiteral("lblPag(%1)").arg(i).toLatin1();
        const bool arrow = i == 0 || i == 7;
        const char* toolTip = i == 0 ? "Pagine precedenti" : i == 7 ? "Pagine successive" : "";
        const LabelDesign design{name.constData(), captions[i], {lefts[i], 75, 105, 300},
                                 arrow ? "Arial" : "Tahoma", toolTip, 99, !arrow, Qt::AlignHCenter};
        lblPag[static_cast<std::size_t>(i)] = makeLabel(design, fraPaginazione);
    }
}

void TessaroPrivate::buildArrowImages()
{
    using glyphs::Arrow;
    imgPrimaPagina = makeArrow("imgPrimaPagina", Arrow::First, {0, 0, 240, 150}, "Vai alla prima pagina",
                               fraPaginazione);
    imgPrecedente = makeArrow("imgPrecedente", Arrow::Previous, {1440, 15, 150, 150}, "Pagine precedenti",
                              fraPaginazione);
    imgSuccessiva = makeArrow("imgSuccessiva", Arrow::Next, {1200, 60, 150, 150}, "Pagine successive",
                              fraPaginazione);
    imgUltimaPagina = makeArrow("imgUltimaPagina", Arrow::Last, {360, 0, 240, 150}, "Vai all'ultima pagina",
                                fraPaginazione);
}

} // namespace tessaro
