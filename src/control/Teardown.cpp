#include "control/TessaroPrivate.h"

#include "platform/Failure.h"
#include "platform/controls/KeyEvents.h"

namespace tessaro {
namespace {

// The child controls outlive the control's state: QWidget deletes them after ~Tessaro, and a
// child still reports on its way out (a window going hides itself first, taking the focus from
// the list; a focused search box loses the focus). None of that may reach the control.
void detachChildControls(Tessaro& control)
{
    for (QObject* child : control.findChildren<QObject*>()) {
        QObject::disconnect(child, nullptr, &control, nullptr);
        // The search boxes' focus and key notifications call the control from an event filter.
        if (qobject_cast<KeyEvents*>(child))
            delete child;
    }
}

} // namespace

Tessaro::~Tessaro()
{
    // A set that was never opened fails to close; it is dropped all the same.
    const SkipFailures skip;
    skip([&] { d->results.current().Close(); });
    rst.reset();
    d->remembered->saveRememberedSettings(d->results.page.paged);
    detachChildControls(*this);
}

} // namespace tessaro
