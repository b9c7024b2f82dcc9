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

#include <QBuffer>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool savePicture(const QString& path, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(path);
}

// A photo stored `stored` wide and high whose EXIF orientation says to turn it a quarter
// clockwise (6), as a phone held upright writes it.
bool saveSidewaysPhoto(const QString& path, QSize stored)
{
    QImage image(stored, QImage::Format_RGB32);
    image.fill(Qt::green);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "JPEG"))
        return false;
    const QByteArray exif = QByteArray::fromHex("ffe10022"
                                                "457869660000"
                                                "4d4d002a00000008"
                                                "0001"
                                                "011200030000000100060000"
                                                "00000000");
    return writeFile(path, jpeg.insert(2, exif));
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
    void previewShrinksToTheRoom_data();
    void previewShrinksToTheRoom();
    void viewerFitsTheWindow_data();
    void viewerFitsTheWindow();
    void coverPictureBesideTheList_data();
    void coverPictureBesideTheList();
    void viewerStepsThroughTheFolder();
    void viewerPlacesThePicture_data();
    void viewerPlacesThePicture();
    void viewerShowsTheOnePictureAgain();
    void sizeAndDateTexts();
    void informationOnlyInThePictureLibrary_data();
    void informationOnlyInThePictureLibrary();
    void previewFollowsTheHighlight();
    void badPicturesStayHidden_data();
    void badPicturesStayHidden();
    void metafilesAreDrawn();
    void todaysFormatsArePreviewed_data();
    void todaysFormatsArePreviewed();
    void sidewaysPhotosAreUpright();
    void theSameRowKeepsItsPicture();
};

void TestPictures::previewShrinksToTheRoom_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("room");
    QTest::addColumn<double>("factor");
    QTest::newRow("800 pixels into 9000 twips") << 12000.0 << 9000.0 << 0.7499999999999998;
    QTest::newRow("narrower than the room") << 3000.0 << 9000.0 << 1.0;
    QTest::newRow("exactly the room") << 9000.0 << 9000.0 << 1.0;
    QTest::newRow("no room at all stops") << 3000.0 << -50.0 << 0.0;
}

void TestPictures::previewShrinksToTheRoom()
{
    QFETCH(double, width);
    QFETCH(double, room);
    QFETCH(double, factor);
    QVERIFY(qAbs(previewShrinkFactor(width, room) - factor) < 1e-9);
}

void TestPictures::viewerFitsTheWindow_data()
{
    QTest::addColumn<QSizeF>("picture");
    QTest::addColumn<QSizeF>("window");
    QTest::addColumn<double>("factor");
    QTest::newRow("too wide") << QSizeF(15000, 6000) << QSizeF(12000, 9000) << 0.7999999999999998;
    QTest::newRow("too tall") << QSizeF(6000, 18000) << QSizeF(12000, 9000) << 0.5;
    QTest::newRow("fits") << QSizeF(3000, 2000) << QSizeF(12000, 9000) << 1.0;
}

void TestPictures::viewerFitsTheWindow()
{
    QFETCH(QSizeF, picture);
    QFETCH(QSizeF, window);
    QFETCH(double, factor);
    QVERIFY(qAbs(shrinkFactor(picture, window) - factor) < 1e-9);
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
    const QRectF list = twipRect(w.LsvMenu);
    QCOMPARE(twipRect(w.Image2), QRectF(list.width() + 180, list.top(), 900, 600));
    const QColor centre = w.Image2->picture().toImage().pixelColor(30, 20);
    QVERIFY2(centre.name() == QColor(shown).name() || qAbs(centre.hue() - QColor(shown).hue()) < 10,
             qPrintable(centre.name()));
}

void TestPictures::viewerStepsThroughTheFolder()
{
    QTemporaryDir folder;
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
        QVERIFY(savePicture(folder.filePath(name), QSize(40, 30), Qt::green));
    PictureViewer viewer(nullptr);
    viewer.resize(400, 300);
    QVERIFY(viewer.File1.setPath(folder.path()));
    viewer.ListIndex = 1;
    const QList<std::pair<Qt::Key, int>> steps{
        {Qt::Key_Left, 2},  {Qt::Key_Left, 0},  {Qt::Key_Right, 2},
        {Qt::Key_Right, 1}, {Qt::Key_Space, 1},
    };
    for (const auto& [key, index] : steps) {
        QTest::keyClick(&viewer, key);
        QCOMPARE(viewer.ListIndex, index);
        QVERIFY(viewer.Image1->isVisibleTo(&viewer));
        QCOMPARE(viewer.Image1->geometry(), QRect(180, 135, 40, 30));
    }
    viewer.show();
    QTest::keyClick(&viewer, Qt::Key_Escape);
    QVERIFY(!viewer.isVisible());
}

void TestPictures::viewerPlacesThePicture_data()
{
    QTest::addColumn<QSize>("picture"); // pixels
    QTest::addColumn<QRect>("shown");   // twips, in a 12000 x 9000 window
    QTest::addColumn<QRect>("resized"); // twips, once the window is 6000 x 4500
    QTest::newRow("too wide") << QSize(1000, 400) << QRect(0, 2100, 12000, 4800)
                              << QRect(0, 1050, 6000, 2400);
    QTest::newRow("fits") << QSize(200, 134) << QRect(4500, 3495, 3000, 2010)
                          << QRect(1500, 1245, 3000, 2010);
}

void TestPictures::viewerPlacesThePicture()
{
    QFETCH(QSize, picture);
    QTemporaryDir folder;
    QVERIFY(savePicture(folder.filePath("p.bmp"), picture, Qt::blue));
    PictureViewer viewer(nullptr);
    viewer.resize(800, 600);
    QVERIFY(viewer.File1.setPath(folder.path()));
    viewer.ScaleImage();
    QTEST(twipRect(viewer.Image1).toRect(), "shown");

    // A resize fits the picture to the new window and centres it there.
    viewer.show();
    viewer.resize(400, 300);
    QFETCH(QRect, resized);
    QTRY_COMPARE(twipRect(viewer.Image1).toRect(), resized);
}

void TestPictures::viewerShowsTheOnePictureAgain()
{
    QTemporaryDir folder;
    QVERIFY(savePicture(folder.filePath("sola.jpg"), QSize(20, 20), Qt::red));
    PictureViewer viewer(nullptr);
    viewer.resize(100, 100);
    QVERIFY(viewer.File1.setPath(folder.path()));
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right}) {
        viewer.Image1->clear();
        QTest::keyClick(&viewer, key);
        QCOMPARE(viewer.ListIndex, 0);
        QVERIFY(viewer.Image1->hasPicture());
    }
    QCOMPARE(viewer.cursor().shape(), Qt::BlankCursor);
}

void TestPictures::sizeAndDateTexts()
{
    QCOMPARE(pictureSizeText(QSize(640, 480)), QStringLiteral("640 x 480"));
    QCOMPARE(pictureDateText(QDateTime(QDate(2004, 3, 5), QTime(23, 59))),
             QStringLiteral("05/03/2004"));
}

void TestPictures::informationOnlyInThePictureLibrary_data()
{
    QTest::addColumn<bool>("pictureMode");
    QTest::newRow("pictures") << true;
    QTest::newRow("music") << false;
}

void TestPictures::informationOnlyInThePictureLibrary()
{
    QFETCH(bool, pictureMode);
    QTemporaryDir folder;
    QVERIFY(savePicture(folder.filePath("foto.jpg"), QSize(640, 480), Qt::green));
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    w.state.PictureMode = pictureMode;
    PreviewPicture(w, folder.filePath("foto.jpg"));
    QTRY_VERIFY(w.Image2->isVisibleTo(&w));
    QCOMPARE(w.imageInfo.PicImageInfo->isVisibleTo(&w), pictureMode);
    if (!pictureMode)
        return;
    QCOMPARE(w.imageInfo.LblImSize->text(), QStringLiteral("640 x 480"));
    QCOMPARE(w.imageInfo.LblImDate->text(), QDate::currentDate().toString("dd/MM/yyyy"));
    for (QLabel* value : {w.imageInfo.LblImSize, w.imageInfo.LblImDate})
        QVERIFY(value->width() >= value->fontMetrics().horizontalAdvance(value->text()));
    const QRectF picture = twipRect(w.Image2);
    const QRectF info = twipRect(w.imageInfo.PicImageInfo);
    QCOMPARE(info.left(), picture.left());
    QCOMPARE(info.width(), picture.width());
    QCOMPARE(info.top(), picture.bottom() + 120);
}

void TestPictures::previewFollowsTheHighlight()
{
    QTemporaryDir folder;
    QVERIFY(savePicture(folder.filePath("a.jpg"), QSize(64, 48), Qt::green));
    QVERIFY(writeFile(folder.filePath("b.wmf"), "not a metafile"));
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    w.state.PictureMode = true;
    w.File1.pattern = QStringLiteral("*.jpg;*.wmf");
    QVERIFY(Explore(w, folder.path()));
    QCOMPARE(w.LsvMenu->selectedRow(), 3);
    QTest::keyClick(w.LsvMenu, Qt::Key_Home);
    QTest::keyClick(w.LsvMenu, Qt::Key_End);
    QTest::keyClick(w.LsvMenu, Qt::Key_Up);
    QTRY_VERIFY(w.Image2->hasPicture());
    QTRY_VERIFY(w.imageInfo.PicImageInfo->isVisibleTo(&w));

    // A metafile is not previewed: the picture goes, its place stays.
    const QRect place = w.Image2->geometry();
    QTest::keyClick(w.LsvMenu, Qt::Key_Down);
    QVERIFY(!w.Image2->hasPicture());
    QCOMPARE(w.Image2->geometry(), place);
    QVERIFY(w.imageInfo.PicImageInfo->isHidden());
}

void TestPictures::badPicturesStayHidden_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QByteArray bomb("BM");
    bomb += QByteArray::fromHex("36000000000000003600000028000000"); // file and info headers
    bomb += QByteArray::fromHex("60ea0000"
                                "60ea0000"
                                "01001800"
                                "00000000"
                                "00000000");
    bomb += QByteArray(16, '\0');
    QTest::newRow("zero bytes") << QByteArray() << "a.jpg";
    QTest::newRow("random bytes") << QByteArray(5000, '\x7f') << "b.gif";
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

void TestPictures::todaysFormatsArePreviewed_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"a.png", "b.webp", "c.tiff", "d.TIF"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestPictures::todaysFormatsArePreviewed()
{
    QFETCH(QString, name);
    QTemporaryDir folder;
    const QString file = folder.filePath(name);
    QVERIFY2(savePicture(file, QSize(64, 48), Qt::blue), "no writer for this format");
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    w.state.PictureMode = true;
    previewHighlightedRow(w, file);
    QTRY_VERIFY(w.Image2->hasPicture());
    const QImage shown = w.Image2->picture().toImage();
    QVERIFY(nearly(shown.pixelColor(shown.rect().center()), Qt::blue));
    QCOMPARE(w.imageInfo.LblImSize->text(), QStringLiteral("64 x 48"));
    QVERIFY(nearly(loadPicture(file, QSize(64, 48)).pixelColor(10, 10), Qt::blue));
}

void TestPictures::sidewaysPhotosAreUpright()
{
    QTemporaryDir folder;
    const QString photo = folder.filePath("movil.jpg");
    QVERIFY(saveSidewaysPhoto(photo, QSize(60, 40)));
    QCOMPARE(pictureSize(photo), std::optional<QSize>(QSize(40, 60)));
    QCOMPARE(loadPicture(photo, QSize(20, 30)).size(), QSize(20, 30));

    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    w.state.PictureMode = true;
    PreviewPicture(w, photo);
    QTRY_VERIFY(w.imageInfo.PicImageInfo->isVisibleTo(&w));
    QCOMPARE(w.imageInfo.LblImSize->text(), QStringLiteral("40 x 60"));
    QCOMPARE(twipRect(w.Image2).size(), QSizeF(600, 900));

    PictureViewer viewer(nullptr);
    viewer.resize(300, 300);
    QVERIFY(viewer.File1.setPath(folder.path()));
    viewer.ScaleImage();
    QCOMPARE(viewer.Image1->geometry(), QRect(130, 120, 40, 60));
}

void TestPictures::theSameRowKeepsItsPicture()
{
    // Keys that leave the highlight where it was neither hide nor decode the picture again.
    QTemporaryDir folder;
    QVERIFY(savePicture(folder.filePath("a.jpg"), QSize(64, 48), Qt::green));
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    w.state.PictureMode = true;
    w.File1.pattern = QStringLiteral("*.jpg");
    QVERIFY(Explore(w, folder.path()));
    QTest::keyClick(w.LsvMenu, Qt::Key_Up);
    QTest::keyClick(w.LsvMenu, Qt::Key_Down);
    QTRY_VERIFY(w.Image2->isVisibleTo(&w));
    QSignalSpy decoded(w.preview.decoder, &PictureDecoder::decoded);
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Space, Qt::Key_F1, Qt::Key_Down}) {
        QTest::keyClick(w.LsvMenu, key);
        QVERIFY2(w.Image2->isVisibleTo(&w), qPrintable(QKeySequence(key).toString()));
    }
    QTest::qWait(100);
    QCOMPARE(decoded.size(), 0);
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
