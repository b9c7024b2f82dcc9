// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/pictureloader.h"

#include "pictures/wmfdecoder.h"
#include "platform/filesystem.h"

#include <QImageReader>

namespace {

bool isMetafile(const QString& path)
{
    return GetExtensionName(path).compare(u"wmf", Qt::CaseInsensitive) == 0;
}

// Whether the reader's picture is stored sideways, with its orientation in its EXIF tags;
// the reader is set to turn it upright.
bool storedSideways(QImageReader& reader)
{
    reader.setAutoTransform(true);
    return reader.transformation() & QImageIOHandler::TransformationRotate90;
}

// The size of the picture as it is meant to be seen: upright.
QSize uprightSize(QImageReader& reader)
{
    return storedSideways(reader) ? reader.size().transposed() : reader.size();
}

} // namespace

double shrinkFactor(QSizeF natural, QSizeF room)
{
    double factor = 1;
    QSizeF shown = natural;
    while ((shown.width() > room.width() || shown.height() > room.height()) && factor > 0.005) {
        factor -= 0.01;
        shown = natural * factor;
    }
    return factor;
}

std::optional<QSize> pictureSize(const QString& path)
{
    if (isMetafile(path))
        return wmfSize(path);
    const auto file = openForReading(path);
    if (!file)
        return std::nullopt;
    QImageReader reader(file.get());
    const QSize size = uprightSize(reader);
    if (!reader.canRead() || !size.isValid() || size.isEmpty())
        return std::nullopt;
    return size;
}

QImage loadPicture(const QString& path, QSize shown)
{
    if (isMetafile(path))
        return renderWmf(path, shown); // drawn straight at the size shown
    // Qt refuses to decode beyond its allocation limit, so a picture whose header claims
    // an enormous size fails instead of exhausting memory.
    const auto file = openForReading(path);
    if (!file)
        return {};
    QImageReader reader(file.get());
    // The reader scales the stored picture before turning it upright.
    const QSize stored = storedSideways(reader) ? shown.transposed() : shown;
    if (shown.isValid() && !shown.isEmpty() && stored != reader.size())
        reader.setScaledSize(stored);
    return reader.read();
}
