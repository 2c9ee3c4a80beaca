#include "platform/controls/ScrollBarMenu.h"

#include "platform/controls/ControlSupport.h"

#include <QChildEvent>
#include <QMenu>

namespace tessaro {
namespace {

// Qt makes the menu a child of the bar and runs it at once: it is renamed as it is polished, just
// before it shows. Qt's commands carry no names of their own, so each is known by its text in
// Qt's current translation.
class ScrollBarMenu : public QObject {
    Q_OBJECT

public:
    explicit ScrollBarMenu(QScrollBar& bar) : QObject(&bar) {}
    ScrollBarMenuCaptions captions;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::ChildPolished) {
            if (auto* menu = qobject_cast<QMenu*>(static_cast<QChildEvent*>(event)->child()))
                rename(*menu);
        }
        return false;
    }

private:
    void rename(QMenu& menu) const
    {
        const std::pair<const char*, const QString*> commands[] = {
            {"Scroll here", &captions.here},        {"Left edge", &captions.leftEdge},
            {"Right edge", &captions.rightEdge},    {"Page left", &captions.pageLeft},
            {"Page right", &captions.pageRight},    {"Scroll left", &captions.stepLeft},
            {"Scroll right", &captions.stepRight},  {"Top", &captions.top},
            {"Bottom", &captions.bottom},           {"Page up", &captions.pageUp},
            {"Page down", &captions.pageDown},      {"Scroll up", &captions.stepUp},
            {"Scroll down", &captions.stepDown},
        };
        for (QAction* action : menu.actions()) {
            for (const auto& [qtText, caption] : commands) {
                if (action->text() == QScrollBar::tr(qtText) && !caption->isEmpty())
                    action->setText(*caption);
            }
        }
    }
};

} // namespace

void setScrollBarMenuCaptions(QScrollBar& bar, const ScrollBarMenuCaptions& captions)
{
    ownedFilter<ScrollBarMenu>(bar).captions = captions;
}

} // namespace tessaro

#include "ScrollBarMenu.moc"
