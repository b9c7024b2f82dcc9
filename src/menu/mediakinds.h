#pragma once

#include <QString>

// Each place that tells media kinds apart has its own list; they differ on purpose.
inline const QString kAllMediaPattern =
    QStringLiteral("*.mp3;*.wma;*.ogg;*.wmv;*.mpg;*.mpeg;*.avi;*.jpeg;*.jpg;*.bmp;*.gif");
