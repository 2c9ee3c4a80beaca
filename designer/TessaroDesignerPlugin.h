#pragma once

// The control's entry in Qt Designer: its place in the widget box, the header a form includes,
// the description of a newly placed control (see FormDescription.h) and the widget built for it.

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace tessaro::designer {

class TessaroDesignerPlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QDesignerCustomWidgetInterface_iid)
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    explicit TessaroDesignerPlugin(QObject* parent = nullptr);

    /// "tessaro::Tessaro", the class a form names and uic instantiates.
    QString name() const override;
    /// "Tessaro": the widget box group the control is listed in.
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    /// "<tessaro/Tessaro.h>": a form includes the public header as a system header.
    QString includeFile() const override;
    QIcon icon() const override;
    /// The control lays out its own children; a form places nothing inside it.
    bool isContainer() const override;

    /// Before initialize() (a form loader running a host's form): the control as hosts use it.
    /// After it (inside Designer): a control that remembers nothing between runs, so that
    /// designing or previewing a form leaves the users' remembered settings alone. Neither
    /// touches a database nor shows a message. The caller owns the widget (through `parent`).
    QWidget* createWidget(QWidget* parent) override;
    /// Designer calls it once with its form editor; only marks the plugin as running in Designer.
    void initialize(QDesignerFormEditorInterface* core) override;
    bool isInitialized() const override;

    /// The control as a newly placed one: its default name, size and the help of its properties.
    QString domXml() const override;

private:
    bool m_initialized = false;
};

} // namespace tessaro::designer
