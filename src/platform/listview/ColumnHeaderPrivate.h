#pragma once

#include "platform/listview/HeaderObserver.h"

#include <tessaro/ColumnHeader.h>

namespace tessaro {

struct ColumnHeader::Private {
    listview::HeaderObserver& observer;
    QString text;
    double width = 0;
    int alignment = 0;
    QString tag;
    int index = 0; // from 1, kept by the list
};

} // namespace tessaro
