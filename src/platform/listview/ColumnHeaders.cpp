#include <tessaro/ColumnHeader.h>

#include "platform/listview/ListCore.h"
#include "platform/listview/ListErrors.h"

namespace tessaro {

struct ColumnHeaders::Private {
    listview::ListCore& core;
};

ColumnHeaders::ColumnHeaders(listview::ListCore& core) : d(new Private{core}) {}

ColumnHeaders::~ColumnHeaders() = default;

void ColumnHeaders::Clear()
{
    d->core.clearHeaders();
}

ColumnHeader* ColumnHeaders::Add(const QString& text, double widthTwips)
{
    return d->core.addHeader(text, widthTwips);
}

int ColumnHeaders::Count() const
{
    return d->core.headerCount();
}

ColumnHeader* ColumnHeaders::Item(int i) const
{
    if (i < 1 || i > Count())
        listview::raiseIndexOutOfBounds();
    return d->core.header(i - 1);
}

void ColumnHeaders::Remove(int i)
{
    if (i < 1 || i > Count())
        listview::raiseIndexOutOfBounds();
    d->core.removeHeader(i - 1);
}

ColumnHeader* const* ColumnHeaders::begin() const
{
    return d->core.headersBegin();
}

ColumnHeader* const* ColumnHeaders::end() const
{
    return d->core.headersEnd();
}

} // namespace tessaro
