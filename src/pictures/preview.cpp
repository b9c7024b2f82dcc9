#include "pictures/preview.h"

#include "app/elements.h"
#include "app/mainwindow.h"
#include "app/twips.h"
#include "menu/menulist.h"
#include "pictures/pictureloader.h"

double previewShrinkFactor(double naturalWidth, double room)
{
    double factor = 1;
    double width = naturalWidth;
    // A running difference, as the steps the user sees are the ones it gives.
    while (width > room && factor > 0.005) {
        factor -= 0.01;
        width = naturalWidth * factor;
    }
    return factor;
}

void PreviewPicture(MainWindow& window, const QString& strImagePath)
{
    Picture& preview = *window.Image2;
    preview.hide();
    const QRectF list = twipRect(window.LsvMenu);
    const double room = screenTwips(&window).width() - list.width() - 180;

    const auto natural = pictureSize(strImagePath);
    if (!natural)
        return;
    const QSizeF naturalTwips = QSizeF(*natural) * kTwipsPerPixel;
    const double factor = previewShrinkFactor(naturalTwips.width(), room);
    const QRectF shown(list.width() + 180, list.top(), naturalTwips.width() * factor,
                       naturalTwips.height() * factor);
    setTwipRect(&preview, shown);
    const QPixmap picture = loadPicture(strImagePath, preview.size());
    if (picture.isNull())
        return;
    preview.setPicture(picture);
    preview.show();
}
