// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/background.h"

#include "form/screengeometry.h"
#include "form/twips.h"

#include <QPainter>

QPixmap renderBackground(QSize pixels)
{
    QPixmap background(pixels);
    QPainter painter(&background);
    for (int row = 0; row < pixels.height(); ++row) {
        // A pixel row shows the last of the 15 twip rows drawn into it.
        const double lastTwipRow = (row + 1) * kTwipsPerPixel - 1;
        painter.fillRect(0, row, pixels.width(), 1, QColor(0, gradientGreen(lastTwipRow), 0));
    }
    return background;
}
