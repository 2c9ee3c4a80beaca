#include <tessaro/ImageList.h>

#include "platform/listview/ListErrors.h"

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
    if (i < 1 || i > Count())
        listview::raiseIndexOutOfBounds();
    return d->icons.at(i - 1);
}

void ImageList::Remove(int i)
{
    if (i < 1 || i > Count())
        listview::raiseIndexOutOfBounds();
    d->icons.removeAt(i - 1);
}

void ImageList::Clear()
{
    d->icons.clear();
}

} // namespace tessaro
