#pragma once

// The context menu of a text field in the host's language. Qt's own menu names its commands in
// Qt's translation, English unless the host installed one, whatever language the control shows.

#include <QComboBox>
#include <QLineEdit>

namespace tessaro {

/// The commands of a text field's context menu. An empty caption keeps Qt's own text.
struct EditMenuCaptions {
    QString undo, redo, cut, copy, paste, remove, selectAll;
};

/// From now on the context menu of `field` shows `captions` (each with its shortcut, as Qt's
/// menu has it); a later call replaces them. The menu is Qt's own otherwise: same commands, same
/// states. What this installs is owned by `field`.
void setEditMenuCaptions(QLineEdit& field, const EditMenuCaptions& captions);
/// The same for an editable combo's field, whose menu the combo also opens (the menu key while
/// the combo has the focus). Does nothing for a combo without a field.
void setEditMenuCaptions(QComboBox& combo, const EditMenuCaptions& captions);

} // namespace tessaro
