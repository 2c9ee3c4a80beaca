#include "platform/listview/ColumnHeaderPrivate.h"

#include "platform/Failure.h"
#include "platform/listview/ListCore.h"
#include "platform/listview/OneBased.h"

namespace tessaro {

ColumnHeader::ColumnHeader(listview::HeaderObserver& observer, const QString& text, double widthTwips)
    : d(new Private{observer, text, widthTwips, 0, QString(), 0})
{
}

ColumnHeader::~ColumnHeader() = default;

QString ColumnHeader::Text() const
{
    return d->text;
}

void ColumnHeader::setText(const QString& text)
{
    d->text = text;
    d->observer.headerTextChanged(*this);
}

double ColumnHeader::Width() const
{
    return d->width;
}

void ColumnHeader::setWidth(double twips)
{
    if (twips < 0)
        raiseError(Error::InvalidPropertyValue);
    d->width = twips;
    d->observer.headerWidthChanged(*this);
}

int ColumnHeader::Alignment() const
{
    return d->alignment;
}

void ColumnHeader::setAlignment(int alignment)
{
    if (alignment < 0 || alignment > 2)
        raiseError(Error::InvalidPropertyValue);
    d->alignment = alignment;
    d->observer.headerAlignmentChanged(*this);
}

QString ColumnHeader::Tag() const
{
    return d->tag;
}

void ColumnHeader::setTag(const QString& tag)
{
    d->tag = tag;
}

int ColumnHeader::Index() const
{
    return d->index;
}

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
