#include "control/TessaroPrivate.h"

#include "platform/Failure.h"
#include "platform/controls/ControlSupport.h"

namespace tessaro {

void Tessaro::Init_class(const QString& AppTitle, bool NonMemorizzareDimensioni)
{
    if (!d->Query.isEmpty()) {
        skipFailure([&] { currentRecordset().Close(); });
        skipFailure([&] { currentRecordset().Open(d->Query, d->DBConnection, 3, 1, -1); });
    }
    skipFailure([&] { Columns = std::make_shared<collColonne>(); });
    skipFailure([&] {
        const int fields = currentRecordset().State() == 0 ? 0 : currentRecordset().Fields().Count();
        for (int i = 1; i <= fields; ++i)
            Columns->Add(QString(), 0, QString());
    });
    skipFailure([&] { ListView = d->lstv; });
    skipFailure([&] { d->lstv->setCheckBoxes(d->CheckBoxes); });
    skipFailure([&] {
        d->AppTitle = AppTitle;
        d->NonMemorizzareDimensioni = NonMemorizzareDimensioni;
    });
    skipFailure([&] { setSolidBackground(this, d->lstv->BackColor()); });
    skipFailure([&] { d->fraPaginazione->setBackColor(d->lstv->BackColor()); });
}

} // namespace tessaro
