#include "platform/controls/EditMenu.h"

#include "platform/controls/ControlSupport.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace tessaro {
namespace {

constexpr QChar kShortcutSeparator = u'\t';

// Renames the commands of the field's standard menu as it opens. Qt's commands carry no names of
// their own, so each is known by its text in Qt's current translation.
class EditMenu : public QObject {
    Q_OBJECT

public:
    explicit EditMenu(QLineEdit& field) : QObject(&field), m_field(field) {}
    EditMenuCaptions captions;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // A combo hands its context menu event to its field directly, past the field's filters.
        if (event->type() != QEvent::ContextMenu || (watched != &m_field && watched != m_field.parent()))
            return false;
        // As QLineEdit itself does: the menu lives until it closes, with no event loop of its own.
        QMenu* menu = m_field.createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        rename(*menu);
        menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }

private:
    void rename(QMenu& menu) const
    {
        const std::pair<QString, const QString*> commands[] = {
            {QLineEdit::tr("&Undo"), &captions.undo},   {QLineEdit::tr("&Redo"), &captions.redo},
            {QLineEdit::tr("Cu&t"), &captions.cut},     {QLineEdit::tr("&Copy"), &captions.copy},
            {QLineEdit::tr("&Paste"), &captions.paste}, {QLineEdit::tr("Delete"), &captions.remove},
            {QLineEdit::tr("Select All"), &captions.selectAll},
        };
        for (QAction* action : menu.actions()) {
            const QString text = action->text();
            const qsizetype tab = text.indexOf(kShortcutSeparator);
            const QString command = text.left(tab);
            for (const auto& [qtText, caption] : commands) {
                if (command == qtText && !caption->isEmpty())
                    action->setText(tab < 0 ? *caption : *caption + text.mid(tab));
            }
        }
    }

    QLineEdit& m_field;
};

} // namespace

void setEditMenuCaptions(QLineEdit& field, const EditMenuCaptions& captions)
{
    ownedFilter<EditMenu>(field).captions = captions;
}

void setEditMenuCaptions(QComboBox& combo, const EditMenuCaptions& captions)
{
    QLineEdit* field = combo.lineEdit();
    if (!field)
        return;
    EditMenu& menu = ownedFilter<EditMenu>(*field);
    menu.captions = captions;
    combo.installEventFilter(&menu); // once: a filter installed again stays installed once
}

} // namespace tessaro

#include "EditMenu.moc"
