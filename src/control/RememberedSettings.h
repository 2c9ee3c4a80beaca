#pragma once

// The settings a control remembers between runs, per application and per control: whether the
// list was paged and the width of each column. They are stored under the application's title
// (the component's own title when the host gives none) in a section named after the control.

#include <tessaro/ListView.h>

#include <QString>
#include <QWidget>

namespace tessaro {

class RememberedSettings {
public:
    /// `control` names the section (its objectName at each read and write); both it and `list`
    /// must outlive this object. Until setApplication, the component's title is used and widths
    /// are remembered.
    RememberedSettings(const QWidget& control, tessaro::ListView& list);

    /// The host's title and whether it asked for the widths not to be remembered (Init_class).
    void setApplication(const QString& AppTitle, bool NonMemorizzareDimensioni);
    /// The host's title, or the component's own when it gave none.
    QString applicationName() const;
    bool keepsWidths() const { return !m_noWidths; }

    /// Sets `paged` from the stored "True" or "False"; any other stored text leaves it as it was.
    void readRememberedPaged(bool& paged) const;
    /// Gives each column its stored width; columns with none keep theirs. Failures are passed on.
    void restoreRememberedWidths() const;
    /// Stores `paged` and, unless told not to, the column widths; a failing write is skipped.
    void saveRememberedSettings(bool paged) const;

private:
    const QWidget& m_control;
    tessaro::ListView& m_list;
    QString m_appTitle;
    bool m_noWidths = false;
};

} // namespace tessaro
