#include "control/TessaroPrivate.h"

namespace tessaro {

void Tessaro::connectTotalsAndExport()
{
    connect(d->cmdSomma, &QPushButton::clicked, this, &Tessaro::cmdSomma_Click);
    connect(d->cmdEsportaInExcel, &QPushButton::clicked, this, &Tessaro::cmdEsportaInExcel_Click);
}

} // namespace tessaro
