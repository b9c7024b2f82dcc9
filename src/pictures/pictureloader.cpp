#include "pictures/pictureloader.h"

#include <QImageReader>

std::optional<QSize> pictureSize(const QString& path)
{
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid() || size.isEmpty())
        return std::nullopt;
    return size;
}

QPixmap loadPicture(const QString& path, QSize shown)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (shown.isValid() && !shown.isEmpty() && shown != reader.size())
        reader.setScaledSize(shown);
    return QPixmap::fromImage(reader.read());
}
