// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

// A picture file's own size in pixels, read from its header without decoding it; nothing
// when the file is not a picture this program can show.
std::optional<QSize> pictureSize(const QString& path);

// The factor a picture is shrunk by to fit the room: down from 1 in steps of 0.01 (a running
// difference, as the steps the user sees are the ones it gives) while it is too wide or too
// tall; it ends at nothing when there is no room at all.
double shrinkFactor(QSizeF natural, QSizeF room);

// Decodes the picture at the size it will be shown, so a large photo never costs its full
// size in memory. A null image when it cannot be decoded. Safe on any thread.
QImage loadPicture(const QString& path, QSize shown);
