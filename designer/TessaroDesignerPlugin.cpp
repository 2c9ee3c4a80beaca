#include "TessaroDesignerPlugin.h"

#include "DesignTimeTessaro.h"
#include "FormDescription.h"

#include <tessaro/Tessaro.h>

#include <QIcon>

namespace tessaro::designer {
namespace {

const QString kIcon = QStringLiteral(":/tessaro/designer/tessaro.png");

} // namespace

TessaroDesignerPlugin::TessaroDesignerPlugin(QObject* parent) : QObject(parent) {}

QString TessaroDesignerPlugin::name() const
{
    return QString::fromLatin1(Tessaro::staticMetaObject.className());
}

QString TessaroDesignerPlugin::group() const { return QStringLiteral("Tessaro"); }

QString TessaroDesignerPlugin::toolTip() const
{
    return QStringLiteral("A list of the rows of an SQL query, paged or whole");
}

QString TessaroDesignerPlugin::whatsThis() const
{
    return QStringLiteral("A report-style list of the rows of an SQL query, paged to its height or shown "
                          "whole, with search, column totals, spreadsheet export and remembered column "
                          "widths. The host gives it a connection at run time and calls Init_class and "
                          "PopulateList; in a form it shows empty.");
}

QString TessaroDesignerPlugin::includeFile() const { return QStringLiteral("<tessaro/Tessaro.h>"); }

QIcon TessaroDesignerPlugin::icon() const { return QIcon(kIcon); }

bool TessaroDesignerPlugin::isContainer() const { return false; }

QWidget* TessaroDesignerPlugin::createWidget(QWidget* parent)
{
    if (m_initialized)
        return new DesignTimeTessaro(parent);
    return new Tessaro(parent);
}

void TessaroDesignerPlugin::initialize(QDesignerFormEditorInterface* /*core*/)
{
    m_initialized = true;
}

bool TessaroDesignerPlugin::isInitialized() const { return m_initialized; }

QString TessaroDesignerPlugin::domXml() const { return formDescription(name()); }

} // namespace tessaro::designer
