// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/imageinfopanel.h"

#include "form/elements.h"
#include "form/screengeometry.h"

ImageInfoPanel buildImageInfoPanel(QWidget* window)
{
    ImageInfoPanel panel;
    panel.PicImageInfo =
        new Panel(window, QStringLiteral("PicImageInfo"), designRect::PicImageInfo, Qt::black);
    panel.PicImageInfo->hide();
    QWidget* parent = panel.PicImageInfo;
    const TextLook caption{Face::Sans, 14.25, QColor(224, 224, 224)};
    const TextLook value{Face::Sans, 18, Qt::white};
    panel.Label8 = makeLabel(parent, QStringLiteral("Label8"), QRectF(120, 960, 1695, 375),
                             QStringLiteral("Tamaño"), caption);
    panel.Label7 = makeLabel(parent, QStringLiteral("Label7"), QRectF(120, 120, 1215, 375),
                             QStringLiteral("Fecha"), caption);
    panel.LblImSize = makeLabel(parent, QStringLiteral("LblImSize"), QRectF(120, 1320, 1005, 405),
                                QStringLiteral("Fecha"), value);
    panel.LblImDate = makeLabel(parent, QStringLiteral("LblImDate"), QRectF(120, 480, 1005, 405),
                                QStringLiteral("Fecha"), value);
    return panel;
}
