#include <tessaro/ColumnHeader.h>

#include "platform/listview/ListCore.h"
#include "platform/listview/OneBased.h"

namespace tessaro {

void ColumnHeaders::Clear()
{
    m_core.clearHeaders();
}

ColumnHeader* ColumnHeaders::Add(const QString& text, double widthTwips)
{
    return m_core.addHeader(text, widthTwips);
}

int ColumnHeaders::Count() const
{
    return m_core.headerCount();
}

ColumnHeader* ColumnHeaders::Item(int i) const
{
    return m_core.header(listview::zeroBased(i, Count()));
}

void ColumnHeaders::Remove(int i)
{
    m_core.removeHeader(listview::zeroBased(i, Count()));
}

ColumnHeader* const* ColumnHeaders::begin() const
{
    return m_core.headersBegin();
}

ColumnHeader* const* ColumnHeaders::end() const
{
    return m_core.headersEnd();
}

} // namespace tessaro
