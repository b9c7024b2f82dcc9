// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/preview.h"

#include "form/elements.h"
#include "form/frmmain.h"
#include "form/menulist.h"
#include "form/twips.h"
#include "media/mediakinds.h"
#include "pictures/picturedecoder.h"
#include "pictures/pictureloader.h"
#include "platform/filesystem.h"

#include <limits>

namespace {

void showDecodedPreview(FrmMain& window, const DecodedPicture& decoded)
{
    PreviewRecord& preview = window.preview;
    if (decoded.path != preview.path)
        return; // asked for another picture since
    if (decoded.image.isNull()) {
        preview.path.clear();
        return;
    }
    preview.natural = *decoded.natural;
    Picture& picture = *window.Image2;
    setTwipRect(&picture, decoded.place);
    picture.setPicture(QPixmap::fromImage(decoded.image));
    picture.show();
    if (!window.record.PictureMode)
        return;
    ImageInfoPanel& info = window.imageInfo;
    info.LblImDate->setText(decoded.created ? pictureDateText(*decoded.created) : QString());
    info.LblImSize->setText(pictureSizeText(preview.natural));
    // The labels grow with their text, which their designed width would cut.
    info.LblImDate->adjustSize();
    info.LblImSize->adjustSize();
    const QRectF shown = twipRect(&picture);
    QRectF place = twipRect(info.PicImageInfo);
    place.moveLeft(shown.left());
    place.setWidth(shown.width());
    place.moveTop(shown.top() + shown.height() + 120);
    setTwipRect(info.PicImageInfo, place);
    info.PicImageInfo->show();
}

} // namespace

double previewShrinkFactor(double naturalWidth, double room)
{
    return shrinkFactor(QSizeF(naturalWidth, 0),
                        QSizeF(room, std::numeric_limits<double>::infinity()));
}

QString pictureSizeText(QSize pixels)
{
    return QStringLiteral("%1 x %2").arg(pixels.width()).arg(pixels.height());
}

QString pictureDateText(const QDateTime& created)
{
    return created.toString(QStringLiteral("dd/MM/yyyy"));
}

void PreviewPicture(FrmMain& window, const QString& strImagePath)
{
    Picture& picture = *window.Image2;
    picture.hide();
    const QRectF list = twipRect(window.LsvMenu);
    const double room = screenTwips(window.widget).width() - list.width() - 180;
    window.preview.path = strImagePath;
    window.preview.decoder->request(
        strImagePath,
        [list, room](QSize natural) {
            const QSizeF naturalTwips = QSizeF(natural) * kTwipsPerPixel;
            const double factor = previewShrinkFactor(naturalTwips.width(), room);
            return QRectF(list.width() + 180, list.top(), naturalTwips.width() * factor,
                          naturalTwips.height() * factor);
        },
        picture.devicePixelRatioF());
}

void connectPreview(FrmMain& window)
{
    QObject::connect(
        window.preview.decoder, &PictureDecoder::decoded, window.widget,
        [&window](const DecodedPicture& decoded) { showDecodedPreview(window, decoded); });
}

void clearPreview(FrmMain& window)
{
    window.preview.path.clear();
    window.preview.decoder->cancel();
    window.Image2->clear();
}

void previewHighlightedRow(FrmMain& window, const QString& key)
{
    if (kPreviewExtensions.contains(GetExtensionName(key).toLower())) {
        if (key != window.preview.path) // the same row keeps its picture, without a blink
            PreviewPicture(window, key);
    } else if (window.record.PictureMode) {
        clearPreview(window);
        window.imageInfo.PicImageInfo->hide();
    }
}
