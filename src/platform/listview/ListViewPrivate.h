#pragma once

// The state behind a ListView, shared by the files that implement it.

#include "platform/controls/TwipsGeometry.h"
#include "platform/listview/ListCore.h"
#include "platform/listview/ListKeys.h"

#include <tessaro/ListView.h>

#include <QPointer>

namespace tessaro {
namespace listview {

/// A feature's handler of a key, heard while the feature (`context`) lives.
template <class Call>
struct KeyHandler {
    QPointer<QObject> context;
    Call call;
    bool ready() const { return context && call; }
};

} // namespace listview

struct ListView::Private {
    explicit Private(ListView* view) : geometry(view), core(*view) {}

    TwipsGeometry geometry;
    listview::ListCore core;
    int view = ReportView;
    int borderStyle = FixedSingle;
    // The layout under way follows rows appended out of sight: only the scroll bars change.
    bool appendedOutOfSight = false;
    QString copyCaption = QStringLiteral("Copia");
    listview::KeyHandler<listview::ListKeys::PageEdge> pageEdge;
    listview::KeyHandler<listview::ListKeys::Enter> enter;
};

} // namespace tessaro
