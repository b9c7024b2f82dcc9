#include "form/controlpanel.h"
#include "form/elements.h"
#include "form/menulist.h"
#include "form/screengeometry.h"
#include "pictures/pictureviewer.h"
#include "pictures/preview.h"
#include "platform/bigscreen.h"
#include "support/testwindow.h"

#include <QIcon>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using Screens = std::vector<ScreenRows>;
Q_DECLARE_METATYPE(Screens)

// Runs on a screen of two device pixels to each layout pixel, as a 4K television is drawn.
class TestScreenGeometry : public QObject {
    Q_OBJECT
private slots:
    void fillsA1024By768Screen();
    void relayoutCentresTheList_data();
    void relayoutCentresTheList();
    void gradient_data();
    void gradient();
    void scalingFollowsEachScreensRows_data();
    void scalingFollowsEachScreensRows();
    void drawnPicturesUseTheScreensPixels();
    void listIconsAndButtonsUseTheScreensPixels();
    void photosAreDecodedAtTheScreensPixels();
};

static const QSizeF kScreen(15360, 11520); // 1024 x 768 pixels, in twips

void TestScreenGeometry::fillsA1024By768Screen()
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
    QCOMPARE(s.PicMediaPlayer, QRectF(QPointF(), kScreen));
    QCOMPARE(playerHeightAboveControls(kScreen, s.PicControls.height()), 10325.0);
}

void TestScreenGeometry::relayoutCentresTheList_data()
{
    QTest::addColumn<QSizeF>("window");
    QTest::addColumn<double>("listTop");
    QTest::newRow("the whole screen") << kScreen << 1645.714;
    QTest::newRow("a shorter window") << QSizeF(9000, 9000) << 385.714;
}

void TestScreenGeometry::relayoutCentresTheList()
{
    QFETCH(QSizeF, window);
    QFETCH(double, listTop);
    const RelayoutGeometry r = relayout(startupLayout(kScreen).LsvMenu, 3135, kScreen, window);
    QVERIFY2(qAbs(r.LsvMenuTop - listTop) < 0.01, qPrintable(QString::number(r.LsvMenuTop)));
    // The title, its frame and the preview follow the list.
    QCOMPARE(r.Image2Top, r.LsvMenuTop);
    QCOMPARE(r.LblTitleTop, r.LsvMenuTop - 1000);
    QCOMPARE(r.Shape1Top, r.LsvMenuTop - 1150);
    QCOMPARE(r.Image1Size, window);
    // Widths and left edges follow the screen and the list, whatever the window.
    QCOMPARE(r.LblTitleWidth, 15160.0);
    QCOMPARE(r.Shape1Width, 15160.0);
    QCOMPARE(r.lblTimeLeft, 11825.0);
    for (double left : {r.LblTitleLeft, r.Shape1Left, r.PicNowPlayingLeft})
        QCOMPARE(left, 120.0);
}

void TestScreenGeometry::gradient_data()
{
    QTest::addColumn<double>("row");
    QTest::addColumn<int>("green");
    QTest::newRow("last black row") << 119.0 << 0;
    QTest::newRow("first green row") << 120.0 << 1;
    QTest::newRow("second step") << 241.0 << 2;
    QTest::newRow("foot of a 768-pixel screen") << 11520.0 << 95;
    QTest::newRow("very tall window") << 40000.0 << 255;
}

void TestScreenGeometry::gradient()
{
    QFETCH(double, row);
    QTEST(gradientGreen(row), "green");
}

void TestScreenGeometry::scalingFollowsEachScreensRows_data()
{
    QTest::addColumn<Screens>("screens");
    QTest::addColumn<QByteArray>("variable"); // empty: none set
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("1080 rows") << Screens{{"HDMI-1", 1080}} << QByteArray() << QByteArray();
    QTest::newRow("1440 rows") << Screens{{"DP-1", 1440}} << QByteArray("QT_SCREEN_SCALE_FACTORS")
                               << QByteArray("DP-1=1.33333");
    QTest::newRow("a 4K television beside a laptop")
        << Screens{{"HDMI-1", 2160}, {"eDP-1", 1080}} << QByteArray("QT_SCREEN_SCALE_FACTORS")
        << QByteArray("HDMI-1=2;eDP-1=1");
    QTest::newRow("an X server without named screens")
        << Screens{{"", 2160}} << QByteArray("QT_SCALE_FACTOR") << QByteArray("2");
}

void TestScreenGeometry::scalingFollowsEachScreensRows()
{
    QFETCH(Screens, screens);
    const auto setting = bigScreenScaling(screens);
    QTEST(setting ? QByteArray(setting->variable) : QByteArray(), "variable");
    QTEST(setting ? setting->value : QByteArray(), "value");
}

void TestScreenGeometry::drawnPicturesUseTheScreensPixels()
{
    const QString resource = QStringLiteral(":/buttons/play.svg");
    const QSize size(48, 40);
    const QImage layout = renderSvg(resource, size, 1).toImage();
    const QPixmap sharp = renderSvg(resource, size, 2);
    QCOMPARE(sharp.size(), size * 2);
    QCOMPARE(sharp.deviceIndependentSize(), QSizeF(size));
    // The whole picture, twice as fine: shrunk back, it is the layout-sized one.
    const QImage shrunk =
        sharp.toImage().scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    int differing = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            differing +=
                qAbs(shrunk.pixelColor(x, y).alpha() - layout.pixelColor(x, y).alpha()) > 96;
    }
    QVERIFY2(differing < size.width() * size.height() / 20, qPrintable(QString::number(differing)));
}

void TestScreenGeometry::listIconsAndButtonsUseTheScreensPixels()
{
    TestWindow t;
    t.create();
    MenuModel& rows = t.window->LsvMenu->rows();
    rows.setRows({MenuRow{"carpeta", "/a", 1, {}, {}}, MenuRow{"canción.mp3", "/b", 2, {}, {}}});
    for (int row : {0, 1}) {
        const auto icon = rows.data(rows.index(row, 0), Qt::DecorationRole).value<QIcon>();
        QCOMPARE(icon.availableSizes(), QList<QSize>({QSize(96, 96)}));
    }
    for (const Picture* button : t.window->controlPanel.ImgBut)
        QCOMPARE(button->picture().size(), button->size() * 2);
}

void TestScreenGeometry::photosAreDecodedAtTheScreensPixels()
{
    QTemporaryDir folder;
    const QString photo = folder.filePath("foto.jpg");
    QImage big(3000, 2000, QImage::Format_RGB32);
    big.fill(Qt::darkCyan);
    QVERIFY(big.save(photo));
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    w.state.PictureMode = true;
    PreviewPicture(w, photo);
    QTRY_VERIFY(w.Image2->hasPicture());
    QCOMPARE(w.Image2->picture().size(), w.Image2->size() * 2);

    PictureViewer viewer(&w);
    viewer.resize(800, 600);
    viewer.File1.setPath(folder.path());
    viewer.ListIndex = 0;
    viewer.ScaleImage();
    QVERIFY(viewer.Image1->hasPicture());
    QCOMPARE(viewer.Image1->picture().size(), viewer.Image1->size() * 2);
}

int main(int argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    TestScreenGeometry test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screengeometry.moc"
