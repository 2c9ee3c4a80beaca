#include "platform/listview/ColumnHeaderPrivate.h"

#include "platform/Failure.h"

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

} // namespace tessaro
