#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

// A picture file's own size in pixels, read from its header without decoding it; nothing
// when the file is not a picture this program can show.
std::optional<QSize> pictureSize(const QString& path);

// Decodes the picture at the size it will be shown, so a large photo never costs its full
// size in memory. A null image when it cannot be decoded. Safe on any thread.
QImage loadPicture(const QString& path, QSize shown);
