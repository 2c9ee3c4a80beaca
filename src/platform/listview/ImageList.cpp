#include <tessaro/ImageList.h>

#include "platform/listview/OneBased.h"

#include <QList>

namespace tessaro {

struct ImageList::Private {
    QList<QIcon> icons;
};

ImageList::ImageList() : d(new Private) {}

ImageList::~ImageList() = default;

int ImageList::Add(const QIcon& icon)
{
    d->icons.append(icon);
    return Count();
}

int ImageList::Count() const
{
    return static_cast<int>(d->icons.size());
}

QIcon ImageList::Item(int i) const
{
    return d->icons.at(listview::zeroBased(i, Count()));
}

void ImageList::Remove(int i)
{
    d->icons.removeAt(listview::zeroBased(i, Count()));
}

void ImageList::Clear()
{
    d->icons.clear();
}

} // namespace tessaro
