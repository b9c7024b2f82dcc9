// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/pictureviewer.h"

#include "form/elements.h"
#include "form/keycodes.h"
#include "form/twips.h"
#include "media/mediakinds.h"
#include "pictures/picturedecoder.h"
#include "pictures/pictureloader.h"
#include "platform/filesystem.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

PictureViewer::PictureViewer(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmPics"));
    setWindowTitle(QStringLiteral("Sofavio"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::BlankCursor);
    File1.pattern = kViewerPattern;
    Image1 = new Picture(this, QStringLiteral("Image1"), QRectF());
    Image1->hide();
    m_decoder = new PictureDecoder(this, kPictureAtOnce);
    connect(m_decoder, &PictureDecoder::decoded, this, &PictureViewer::showDecoded);
}

void PictureViewer::ScaleImage()
{
    Image1->hide();
    m_shown.clear();
    if (ListIndex < 0 || ListIndex >= File1.entries.size())
        return;
    m_shown = BuildPath(File1.path, File1.entries.at(ListIndex));
    const QSizeF window = QSizeF(size()) * kTwipsPerPixel;
    m_decoder->request(
        m_shown,
        [window](QSize natural) {
            const QSizeF naturalTwips = QSizeF(natural) * kTwipsPerPixel;
            const QSizeF shown = naturalTwips * shrinkFactor(naturalTwips, window);
            return QRectF(QPointF((window.width() - shown.width()) / 2,
                                  (window.height() - shown.height()) / 2),
                          shown);
        },
        Image1->devicePixelRatioF());
}

void PictureViewer::showDecoded(const DecodedPicture& decoded)
{
    if (decoded.path != m_shown || decoded.image.isNull())
        return;
    setTwipRect(Image1, decoded.place);
    Image1->setPicture(QPixmap::fromImage(decoded.image));
    Image1->show();
}

void PictureViewer::showModal()
{
    setGeometry(screen()->geometry());
    setWindowState(Qt::WindowFullScreen);
    exec();
}

void PictureViewer::keyPressEvent(QKeyEvent* event)
{
    const qsizetype count = File1.entries.size();
    switch (keyCode(*event)) {
    case kKeyLeft: // the next picture
        ListIndex = ListIndex + 1 > count - 1 ? 0 : ListIndex + 1;
        ScaleImage();
        break;
    case kKeyRight: // the previous one
        ListIndex = ListIndex - 1 < 0 ? int(count - 1) : ListIndex - 1;
        ScaleImage();
        break;
    case kKeyEscape:
    case kKeyEnter:
        accept();
        break;
    default:
        break;
    }
}

void PictureViewer::resizeEvent(QResizeEvent*)
{
    ScaleImage();
}

void PictureViewer::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), Qt::black);
}
