// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

// Windows metafiles, drawn by libwmf.

// The picture's own size in pixels at 96 dots per inch, from its header.
std::optional<QSize> wmfSize(const QString& path);

// Draws the metafile at the given size; a null image when it cannot be read.
QImage renderWmf(const QString& path, QSize size);
