#include "form/elements.h"
#include "form/menulist.h"
#include "form/twips.h"
#include "menu/folderbrowser.h"
#include "pictures/picturedecoder.h"
#include "pictures/pictureloader.h"
#include "pictures/pictureviewer.h"
#include "pictures/preview.h"
#include "support/files.h"
#include "support/testwindow.h"

#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A phone's photo, stored 240 x 160 and turned a quarter by its EXIF orientation: upright, it is
// 160 x 240.
const QString kSideways = QStringLiteral(TEST_DATA_DIR "/sideways.jpg");

bool savePicture(const QString& path, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(path);
}

// Whether two colours are the same but for what a lossy format changes (WebP's default).
bool nearly(QColor a, QColor b)
{
    return qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue()) < 12;
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT
private slots:
    void shrinksToFit_data();
    void shrinksToFit();
    void coverPictureBesideTheList_data();
    void coverPictureBesideTheList();
    void viewerStepsThroughTheFolder();
    void previewFollowsTheHighlight();
    void badPicturesStayHidden_data();
    void badPicturesStayHidden();
    void metafilesAreDrawn();
    void sidewaysPhotosAreUpright();
};

void TestPictures::shrinksToFit_data()
{
    QTest::addColumn<QSizeF>("picture");
    QTest::addColumn<QSizeF>("room");
    QTest::addColumn<double>("factor");
    QTest::addColumn<double>("previewed"); // the preview tests the width only
    QTest::newRow("too wide") << QSizeF(15000, 6000) << QSizeF(12000, 9000) << 0.8 << 0.8;
    QTest::newRow("too tall") << QSizeF(6000, 18000) << QSizeF(12000, 9000) << 0.5 << 1.0;
    QTest::newRow("exactly the room") << QSizeF(9000, 500) << QSizeF(9000, 500) << 1.0 << 1.0;
    QTest::newRow("no room at all stops") << QSizeF(3000, 10) << QSizeF(-50, 10) << 0.0 << 0.0;
}

void TestPictures::shrinksToFit()
{
    QFETCH(QSizeF, picture);
    QFETCH(QSizeF, room);
    QTEST(shrinkFactor(picture, room), "factor");
    QTEST(previewShrinkFactor(picture.width(), room.width()), "previewed");
}

void TestPictures::coverPictureBesideTheList_data()
{
    QTest::addColumn<QStringList>("covers");
    QTest::addColumn<QString>("shown"); // the colour of the one shown; empty: none
    QTest::newRow("folder.jpg first") << QStringList{"folder.jpg", "albumartsmall.jpg"} << "red";
    QTest::newRow("album art alone") << QStringList{"albumartsmall.jpg"} << "blue";
    QTest::newRow("none") << QStringList{} << "";
}

void TestPictures::coverPictureBesideTheList()
{
    QFETCH(QStringList, covers);
    QFETCH(QString, shown);
    QTemporaryDir folder;
    for (const QString& cover : covers) {
        QVERIFY(savePicture(folder.filePath(cover), QSize(60, 40),
                            cover == u"folder.jpg" ? Qt::red : Qt::blue));
    }
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    w.Image2->setPicture(QPixmap(8, 8));
    QVERIFY(Explore(w, folder.path()));
    if (shown.isEmpty()) {
        QTest::qWait(100);
        QVERIFY(!w.Image2->hasPicture());
        return;
    }
    QTRY_VERIFY(w.Image2->isVisibleTo(&w));
    QVERIFY(!w.imageInfo.PicImageInfo->isVisibleTo(&w)); // only in the picture library
    const QRectF list = twipRect(w.LsvMenu);
    QCOMPARE(twipRect(w.Image2), QRectF(list.width() + 180, list.top(), 900, 600));
    const QColor centre = w.Image2->picture().toImage().pixelColor(30, 20);
    QVERIFY2(nearly(centre, QColor(shown)), qPrintable(centre.name()));
}

void TestPictures::viewerStepsThroughTheFolder()
{
    QTemporaryDir folder;
    QVERIFY(savePicture(folder.filePath("a.jpg"), QSize(1000, 400), Qt::green)); // too wide
    QVERIFY(savePicture(folder.filePath("b.jpg"), QSize(200, 134), Qt::green));
    QVERIFY(QFile::copy(kSideways, folder.filePath("c.jpg")));
    PictureViewer viewer(nullptr);
    viewer.resize(800, 600); // 12000 x 9000 twips
    QVERIFY(viewer.File1.setPath(folder.path()));
    viewer.ListIndex = 1;
    const QRect wide(0, 2100, 12000, 4800);
    const QRect centred(4500, 3495, 3000, 2010);
    const QRect upright(4800, 2700, 2400, 3600);
    const QList<std::tuple<Qt::Key, int, QRect>> steps{
        {Qt::Key_Left, 2, upright},  {Qt::Key_Left, 0, wide},  {Qt::Key_Right, 2, upright},
        {Qt::Key_Right, 1, centred}, {Qt::Key_Right, 0, wide}, {Qt::Key_Space, 0, wide},
    };
    for (const auto& [key, index, place] : steps) {
        QTest::keyClick(&viewer, key);
        QCOMPARE(viewer.ListIndex, index);
        QVERIFY(viewer.Image1->isVisibleTo(&viewer));
        QCOMPARE(twipRect(viewer.Image1).toRect(), place);
    }
    QCOMPARE(viewer.cursor().shape(), Qt::BlankCursor);
    // A resize fits the picture to the new window and centres it there.
    viewer.show();
    viewer.resize(400, 300);
    QTRY_COMPARE(twipRect(viewer.Image1).toRect(), QRect(0, 1050, 6000, 2400));

    // The one picture of a folder is shown again either way.
    QVERIFY(QFile::remove(folder.filePath("b.jpg")) && QFile::remove(folder.filePath("c.jpg")));
    QVERIFY(viewer.File1.setPath(folder.path()));
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right}) {
        viewer.Image1->clear();
        QTest::keyClick(&viewer, key);
        QCOMPARE(viewer.ListIndex, 0);
        QVERIFY(viewer.Image1->hasPicture());
    }
    QTest::keyClick(&viewer, Qt::Key_Escape);
    QVERIFY(!viewer.isVisible());
}

void TestPictures::previewFollowsTheHighlight()
{
    // Today's formats and a phone's photo among them, the extension in any case.
    QTemporaryDir folder;
    QVERIFY2(savePicture(folder.filePath("a.webp"), QSize(640, 480), Qt::blue), "no webp writer");
    QVERIFY(writeFile(folder.filePath("b.wmf"), "not a metafile"));
    QVERIFY(QFile::copy(kSideways, folder.filePath("c.JPG")));
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    w.state.PictureMode = true;
    w.File1.pattern = QStringLiteral("*.webp;*.wmf;*.jpg");
    QVERIFY(Explore(w, folder.path()));
    QTest::keyClick(w.LsvMenu, Qt::Key_Down);
    QTest::keyClick(w.LsvMenu, Qt::Key_Up);
    QTRY_VERIFY(w.imageInfo.PicImageInfo->isVisibleTo(&w));
    const QImage shown = w.Image2->picture().toImage();
    QVERIFY(nearly(shown.pixelColor(shown.rect().center()), Qt::blue));
    QCOMPARE(w.imageInfo.LblImSize->text(), QStringLiteral("640 x 480"));
    QCOMPARE(w.imageInfo.LblImDate->text(), QDate::currentDate().toString("dd/MM/yyyy"));
    for (QLabel* value : {w.imageInfo.LblImSize, w.imageInfo.LblImDate})
        QVERIFY(value->width() >= value->fontMetrics().horizontalAdvance(value->text()));
    const QRectF picture = twipRect(w.Image2);
    const QRectF info = twipRect(w.imageInfo.PicImageInfo);
    QCOMPARE(info.left(), picture.left());
    QCOMPARE(info.width(), picture.width());
    QCOMPARE(info.top(), picture.bottom() + 120);

    // Keys that leave the highlight where it was neither hide nor decode the picture again.
    QSignalSpy decoded(w.preview.decoder, &PictureDecoder::decoded);
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Space, Qt::Key_F1}) {
        QTest::keyClick(w.LsvMenu, key);
        QVERIFY2(w.Image2->isVisibleTo(&w), qPrintable(QKeySequence(key).toString()));
    }
    QTest::qWait(100);
    QCOMPARE(decoded.size(), 0);

    // A metafile is not previewed: the picture goes, its place stays.
    const QRect place = w.Image2->geometry();
    QTest::keyClick(w.LsvMenu, Qt::Key_Down);
    QVERIFY(!w.Image2->hasPicture());
    QCOMPARE(w.Image2->geometry(), place);
    QVERIFY(w.imageInfo.PicImageInfo->isHidden());
    QTest::keyClick(w.LsvMenu, Qt::Key_Down);
    QTRY_COMPARE(w.imageInfo.LblImSize->text(), QStringLiteral("160 x 240"));
    QCOMPARE(w.Image2->picture().size(), QSize(160, 240));
}

void TestPictures::badPicturesStayHidden_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    // A BMP's headers claiming 60000 x 60000 pixels of 24 bits, and no pixels.
    const QByteArray bomb = "BM" +
                            QByteArray::fromHex("36000000000000003600000028000000"
                                                "60ea000060ea00000100180000000000") +
                            QByteArray(20, '\0');
    QTest::newRow("zero bytes") << QByteArray() << "a.jpg";
    QTest::newRow("60000 x 60000 header") << bomb << "c.bmp";
    QTest::newRow("missing") << QByteArray("-") << "d.jpg";
    QTest::newRow("random metafile") << QByteArray(3000, '\x42') << "e.wmf";
}

void TestPictures::badPicturesStayHidden()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QTemporaryDir folder;
    if (bytes != "-")
        QVERIFY(writeFile(folder.filePath(name), bytes));
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    w.Image2->show();
    PreviewPicture(w, folder.filePath(name));
    QTest::qWait(200);
    QVERIFY(w.Image2->isHidden());
    QVERIFY(!w.Image2->hasPicture());
    QVERIFY(loadPicture(folder.filePath(name), QSize(100, 100)).isNull());
}

void TestPictures::metafilesAreDrawn()
{
    const QString file = QStringLiteral(TEST_DATA_DIR "/red-square.wmf");
    QCOMPARE(pictureSize(file), std::optional<QSize>(QSize(96, 48)));
    const QImage image = loadPicture(file, QSize(200, 100));
    QCOMPARE(image.size(), QSize(200, 100));
    QCOMPARE(image.pixelColor(100, 50), QColor(Qt::red));
}

void TestPictures::sidewaysPhotosAreUpright()
{
    // Also shown upright by the preview and the viewer, above.
    QCOMPARE(pictureSize(kSideways), std::optional<QSize>(QSize(160, 240)));
    QCOMPARE(loadPicture(kSideways, QSize(20, 30)).size(), QSize(20, 30));
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
