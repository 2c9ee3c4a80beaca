#pragma once

#include "support/MessageBoxRecorder.h"
#include "support/TestDatabase.h"

#include <tessaro/Tessaro.h>

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>
#include <string>

// Lets failure messages show texts.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace tessaro::test {

/// A control as hosts use it: in a shown, active window of its own, connected to a private
/// database in memory, its remembered settings kept in `folder`, every message box recorded in
/// `boxes` instead of shown.
class ShownControl : public ::testing::Test {
public:
    ShownControl();
    ~ShownControl() override;

    /// Resizes the control to `width` x `height` pixels, shows and activates it.
    void showAt(int width, int height);
    /// Makes `folder` the control's language folder with the given key=value lines.
    void useLanguage(const QByteArray& strings);
    /// Sets the query and the view and makes the descriptors (widths not kept).
    void init(const QString& query, bool paged, const QString& application);
    /// Fills the list; fails the test when that showed a message.
    void populate();
    /// init() then populate().
    void load(const QString& query, bool paged, const QString& application);

    QWidget* child(const QString& name) const;
    /// A left click near the left edge: an option button reacts to its indicator whatever its caption.
    void click(const QString& name) const;
    /// The page bar's numbers lblPag(1..6) as one line: "-" for a hidden one, the current page
    /// (the bold one) in brackets, as "[7] 8 9 10 11 12".
    std::string pageNumbers() const;
    /// The centre of row `row` (from 1) in the list's viewport.
    QPoint rowCentre(int row) const;
    /// Each message shown as its text, style and title, in order; forgets them.
    QStringList takeMessages();

    QTemporaryDir folder;
    TestDatabase database;
    MessageBoxRecorder boxes;
    Tessaro control;
};

} // namespace tessaro::test
