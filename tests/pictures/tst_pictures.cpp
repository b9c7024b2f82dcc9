// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/controlpanel.h"
#include "form/elements.h"
#include "form/menulist.h"
#include "form/screengeometry.h"
#include "form/twips.h"
#include "menu/folderbrowser.h"
#include "pictures/picturedecoder.h"
#include "pictures/pictureloader.h"
#include "pictures/pictureviewer.h"
#include "pictures/preview.h"
#include "platform/bigscreen.h"
#include "platform/filesystem.h"
#include "support/files.h"
#include "support/menudriver.h"
#include "support/testwindow.h"

#include <QIcon>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using Screens = std::vector<ScreenRows>;
Q_DECLARE_METATYPE(Screens)

namespace {

const QSizeF kScreen(15360, 11520); // 1024 x 768 pixels, in twips

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

// The layout and the pictures in it, on a screen of two device pixels to each layout pixel, as
// a 4K television is drawn: every picture shown must be drawn or decoded at the screen's pixels.
class TestPictures : public QObject {
    Q_OBJECT
private slots:
    void layoutOfA1024By768Screen();
    void scalingFollowsEachScreensRows_data();
    void scalingFollowsEachScreensRows();
    void drawnPicturesUseTheScreensPixels();
    void shrinksToFit_data();
    void shrinksToFit();
    void coverPictureBesideTheList();
    void viewerStepsThroughTheFolder();
    void previewFollowsTheHighlight();
    void badPicturesStayHidden();
    void aPictureThatNeverComesHoldsUpNoOther_data();
    void aPictureThatNeverComesHoldsUpNoOther();
    void metafilesAreDrawn();
};

void TestPictures::layoutOfA1024By768Screen()
{
    const StartupGeometry s = startupLayout(kScreen);
    QCOMPARE(s.LsvMenu, QRectF(120, 2400, 11825, 57600.0 / 7)); // the screen's height over 1.4
    QCOMPARE(s.Image2, QRectF(12025, 0, 3135, 3015));
    QCOMPARE(s.PicNowPlaying, QRectF(120, 10225, 15160, 1095));
    QCOMPARE(s.Shape2, QRectF(0, 0, 15160, 1095));
    // The now-playing text reaches across the panel, less its left margin on the right too.
    QCOMPARE(s.LblNowPlaying, QRectF(240, 120, 14680, 480));
    QCOMPARE(s.PicControls, QRectF(0, 10345, 15360, 975));
    QCOMPARE(s.Shape3, QRectF(0, 0, 15360, 975));

    // The background: black for the first 120 twip rows, then a step greener every 121, as
    // far as a full green.
    QCOMPARE(gradientGreen(119), 0);
    QCOMPARE(gradientGreen(120), 1);
    QCOMPARE(gradientGreen(40000), 255);

    // A resize, here to a window shorter than the screen, centres the list in the window.
    const QSizeF window(9000, 9000);
    const RelayoutGeometry r = relayout(s.LsvMenu, 3135, kScreen, window);
    QVERIFY2(qAbs(r.LsvMenuTop - 385.714) < 0.01, qPrintable(QString::number(r.LsvMenuTop)));
    // The title and its frame follow the list.
    QCOMPARE(r.LblTitleTop, r.LsvMenuTop - 1000);
    QCOMPARE(r.Shape1Top, r.LsvMenuTop - 1150);
    // Widths and left edges follow the screen and the list, whatever the window.
    QCOMPARE(r.LblTitleWidth, 15160.0);
    QCOMPARE(r.Shape1Width, 15160.0);
    QCOMPARE(r.lblTimeLeft, 11825.0);
    for (double left : {r.LblTitleLeft, r.Shape1Left, r.PicNowPlayingLeft})
        QCOMPARE(left, 120.0);
}

void TestPictures::scalingFollowsEachScreensRows_data()
{
    QTest::addColumn<Screens>("screens");
    QTest::addColumn<QByteArray>("setting"); // VARIABLE=VALUE; empty: none
    QTest::newRow("1080 rows") << Screens{{"HDMI-1", 1080}} << QByteArray();
    QTest::newRow("1440 rows") << Screens{{"DP-1", 1440}}
                               << QByteArray("QT_SCREEN_SCALE_FACTORS=DP-1=1.33333");
    QTest::newRow("a 4K television beside a laptop")
        << Screens{{"HDMI-1", 2160}, {"eDP-1", 1080}}
        << QByteArray("QT_SCREEN_SCALE_FACTORS=HDMI-1=2;eDP-1=1");
    QTest::newRow("an X server without named screens")
        << Screens{{"", 2160}} << QByteArray("QT_SCALE_FACTOR=2");
}

void TestPictures::scalingFollowsEachScreensRows()
{
    QFETCH(Screens, screens);
    const auto setting = bigScreenScaling(screens);
    QTEST(setting ? setting->variable + ('=' + setting->value) : QByteArray(), "setting");
}

void TestPictures::drawnPicturesUseTheScreensPixels()
{
    // The whole picture, twice as fine (twice as big: the list's icons and the buttons, below):
    // shrunk back, it is the layout-sized one.
    const QString resource = QStringLiteral(":/buttons/play.svg");
    const QSize size(48, 40);
    const QImage layout = renderSvg(resource, size, 1).toImage();
    const QImage shrunk = renderSvg(resource, size, 2)
                              .toImage()
                              .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    int differing = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            differing +=
                qAbs(shrunk.pixelColor(x, y).alpha() - layout.pixelColor(x, y).alpha()) > 96;
    }
    QVERIFY2(differing < size.width() * size.height() / 20, qPrintable(QString::number(differing)));

    // The list's icons and the control panel's buttons, each drawn, not blank.
    const auto drawn = [](const QPixmap& picture) {
        QImage blank(picture.size(), QImage::Format_ARGB32_Premultiplied);
        blank.fill(Qt::transparent);
        return picture.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied) != blank;
    };
    TestWindow t;
    t.create();
    MenuModel& rows = t.window->LsvMenu->rows();
    rows.setRows({MenuRow{"carpeta", "/a", 1, {}, {}}, MenuRow{"canción.mp3", "/b", 2, {}, {}}});
    for (int row : {0, 1}) {
        const auto icon = rows.data(rows.index(row, 0), Qt::DecorationRole).value<QIcon>();
        QCOMPARE(icon.availableSizes(), QList<QSize>({QSize(96, 96)}));
        QVERIFY(drawn(icon.pixmap(96, 96)));
    }
    for (const Picture* button : t.window->controlPanel.ImgBut) {
        QCOMPARE(button->picture().size(), button->size() * 2);
        QVERIFY2(drawn(button->picture()), qPrintable(button->objectName()));
    }
}

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

void TestPictures::coverPictureBesideTheList()
{
    // folder.jpg before the same name in capitals (as rippers on Windows write it), which comes
    // before albumartsmall.jpg in any case; each removed in turn, until no cover stays.
    const QList<std::pair<QString, Qt::GlobalColor>> covers{
        {"folder.jpg", Qt::green}, {"Folder.jpg", Qt::red}, {"AlbumArtSmall.jpg", Qt::blue}};
    QTemporaryDir folder;
    for (const auto& [cover, colour] : covers)
        QVERIFY(savePicture(folder.filePath(cover), QSize(60, 40), colour));
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    for (const auto& [cover, colour] : covers) {
        QVERIFY(listFolder(w, folder.path()));
        QTRY_VERIFY(w.Image2->isVisibleTo(&w));
        QVERIFY(!w.imageInfo.PicImageInfo->isVisibleTo(&w)); // only in the picture library
        const QRectF list = twipRect(w.LsvMenu);
        QCOMPARE(twipRect(w.Image2), QRectF(list.width() + 180, list.top(), 900, 600));
        const QColor centre = w.Image2->picture().toImage().pixelColor(60, 40);
        QVERIFY2(nearly(centre, colour), qPrintable(cover + ": " + centre.name()));
        QVERIFY(QFile::remove(folder.filePath(cover)));
    }
    QVERIFY(listFolder(w, folder.path()));
    QTest::qWait(100);
    QVERIFY(!w.Image2->hasPicture());
}

void TestPictures::viewerStepsThroughTheFolder()
{
    QTemporaryDir folder;
    QVERIFY(savePicture(folder.filePath("a.jpg"), QSize(1000, 400), Qt::green)); // too wide
    QVERIFY(savePicture(folder.filePath("b.jpg"), QSize(200, 134), Qt::green));
    QVERIFY(QFile::copy(kSideways, folder.filePath("c.jpg")));
    PictureViewer viewer(nullptr);
    viewer.resize(800, 600); // 12000 x 9000 twips
    viewer.File1.assign(folder.path(), GetFolder(folder.path())->fileNames);
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
        QCOMPARE(viewer.Image1->picture().size(), viewer.Image1->size() * 2);
    }
    QCOMPARE(viewer.cursor().shape(), Qt::BlankCursor);
    // A resize fits the picture to the new window and centres it there.
    viewer.show();
    viewer.resize(400, 300);
    QTRY_COMPARE(twipRect(viewer.Image1).toRect(), QRect(0, 1050, 6000, 2400));
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
    w.record.PictureMode = true;
    w.File1.pattern = QStringLiteral("*.webp;*.wmf;*.jpg");
    QVERIFY(listFolder(w, folder.path()));
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
    QCOMPARE(info.topLeft(), QPointF(picture.left(), picture.bottom() + 120));
    QCOMPARE(info.width(), picture.width());

    // Keys that leave the highlight where it was neither hide nor decode the picture again.
    QSignalSpy decoded(w.preview.decoder, &PictureDecoder::decoded);
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Space, Qt::Key_F1}) {
        QTest::keyClick(w.LsvMenu, key);
        QVERIFY2(w.Image2->isVisibleTo(&w), qPrintable(QKeySequence(key).toString()));
    }
    QTest::qWait(100);
    QCOMPARE(decoded.size(), 0);

    // A metafile is not previewed.
    QTest::keyClick(w.LsvMenu, Qt::Key_Down);
    QVERIFY(!w.Image2->hasPicture());
    QVERIFY(w.imageInfo.PicImageInfo->isHidden());
    // The photo is scaled to the screen's pixels before it is turned upright.
    QTest::keyClick(w.LsvMenu, Qt::Key_Down);
    QTRY_COMPARE(w.imageInfo.LblImSize->text(), QStringLiteral("160 x 240"));
    QCOMPARE(w.Image2->picture().size(), w.Image2->size() * 2);
}

void TestPictures::aPictureThatNeverComesHoldsUpNoOther_data()
{
    QTest::addColumn<bool>("askedAtOnce"); // the next picture asked for while the first hangs
    QTest::newRow("asked at once") << true;
    QTest::newRow("asked later") << false;
}

void TestPictures::aPictureThatNeverComesHoldsUpNoOther()
{
    // A picture on a share that is gone never comes back from its thread.
    QFETCH(bool, askedAtOnce);
    auto released = std::make_shared<QSemaphore>();
    PictureDecoder decoder(nullptr, std::chrono::milliseconds(0),
                           [released](const QString& path, const auto&, qreal) {
                               if (path == u"/nas/gone.jpg")
                                   released->acquire();
                               return DecodedPicture{path, QSize(1, 1)};
                           });
    QStringList decoded;
    connect(&decoder, &PictureDecoder::decoded,
            [&](const DecodedPicture& picture) { decoded << picture.path; });
    const auto place = [](QSize) { return QRectF(0, 0, 15, 15); };
    decoder.request("/nas/gone.jpg", place, 1);
    if (!askedAtOnce)
        QTest::qWait(1200);
    decoder.request("/local/here.jpg", place, 1);
    QTRY_COMPARE_WITH_TIMEOUT(decoded, QStringList({"/local/here.jpg"}), 3000);
    released->release(); // its answer, when it comes, is no longer wanted
    QTest::qWait(100);
    QCOMPARE(decoded, QStringList({"/local/here.jpg"}));
}

void TestPictures::badPicturesStayHidden()
{
    // A BMP's headers claiming 60000 x 60000 pixels of 24 bits, and no pixels.
    const QByteArray bomb = "BM" +
                            QByteArray::fromHex("36000000000000003600000028000000"
                                                "60ea000060ea00000100180000000000") +
                            QByteArray(20, '\0');
    QTemporaryDir folder;
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    for (const auto& [name, bytes] : QList<std::pair<QString, QByteArray>>{
             {"empty.jpg", {}}, {"bomb.bmp", bomb}, {"random.wmf", QByteArray(3000, '\x42')}}) {
        QVERIFY(writeFile(folder.filePath(name), bytes));
        w.Image2->show();
        PreviewPicture(w, folder.filePath(name));
        QTest::qWait(200);
        QVERIFY2(w.Image2->isHidden(), qPrintable(name));
    }
}

void TestPictures::metafilesAreDrawn()
{
    const QString file = QStringLiteral(TEST_DATA_DIR "/red-square.wmf");
    QCOMPARE(pictureSize(file), std::optional<QSize>(QSize(96, 48)));
    const QImage image = loadPicture(file, QSize(200, 100));
    QCOMPARE(image.size(), QSize(200, 100));
    QCOMPARE(image.pixelColor(100, 50), QColor(Qt::red));
}

int main(int argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    TestPictures test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pictures.moc"
