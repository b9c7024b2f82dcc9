#include "pictures/pictureviewer.h"

#include "form/elements.h"
#include "form/keycodes.h"
#include "form/twips.h"
#include "media/mediakinds.h"
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
}

void PictureViewer::ScaleImage()
{
    Image1->hide();
    if (ListIndex < 0 || ListIndex >= File1.entries.size())
        return;
    const QString path = BuildPath(File1.path, File1.entries.at(ListIndex));
    const auto natural = pictureSize(path);
    if (!natural)
        return;
    const QSizeF naturalTwips = QSizeF(*natural) * kTwipsPerPixel;
    const QSizeF window = QSizeF(size()) * kTwipsPerPixel;
    const QSizeF shown = naturalTwips * shrinkFactor(naturalTwips, window);
    setTwipRect(Image1, QRectF(QPointF((window.width() - shown.width()) / 2,
                                       (window.height() - shown.height()) / 2),
                               shown));
    const QImage picture = loadPicture(path, Image1->deviceSize());
    if (picture.isNull())
        return;
    Image1->setPicture(QPixmap::fromImage(picture));
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
