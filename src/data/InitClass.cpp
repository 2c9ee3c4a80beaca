#include "control/TessaroPrivate.h"

#include "platform/Failure.h"
#include "platform/controls/ControlSupport.h"

namespace tessaro {

void Tessaro::Init_class(const QString& AppTitle, bool NonMemorizzareDimensioni)
{
    // A set that is not open fails to close, and a query may fail to open: neither stops this.
    const SkipFailures skip;
    if (!d->Query.isEmpty()) {
        skip([&] { currentRecordset().Close(); });
        skip([&] { currentRecordset().Open(d->Query, d->DBConnection, 3, 1, -1); });
    }
    Columns = std::make_shared<collColonne>();
    const int fields = currentRecordset().State() == 0 ? 0 : currentRecordset().Fields().Count();
    for (int i = 1; i <= fields; ++i)
        Columns->Add(QString(), 0, QString());
    ListView = d->lstv;
    d->lstv->setCheckBoxes(d->CheckBoxes);
    d->AppTitle = AppTitle;
    d->NonMemorizzareDimensioni = NonMemorizzareDimensioni;
    setSolidBackground(this, d->lstv->BackColor());
    d->fraPaginazione->setBackColor(d->lstv->BackColor());
}

} // namespace tessaro
