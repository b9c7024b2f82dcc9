#include "form/controlpanel.h"
#include "form/elements.h"
#include "form/menulist.h"
#include "pictures/pictureviewer.h"
#include "pictures/preview.h"
#include "platform/bigscreen.h"
#include "support/testwindow.h"

#include <QIcon>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

// Runs on a screen of two device pixels to each layout pixel, as a 4K television is drawn.
class TestBigScreen : public QObject {
    Q_OBJECT
private slots:
    void scalingFollowsEachScreensRows_data();
    void scalingFollowsEachScreensRows();
    void drawnPicturesUseTheScreensPixels_data();
    void drawnPicturesUseTheScreensPixels();
    void listIconsAndButtonsUseTheScreensPixels();
    void photosAreDecodedAtTheScreensPixels();
};

void TestBigScreen::scalingFollowsEachScreensRows_data()
{
    QTest::addColumn<QList<QByteArray>>("screens"); // "NAME ROWS"
    QTest::addColumn<QByteArray>("variable");       // empty: none set
    QTest::addColumn<QByteArray>("value");

    const auto none = [](const char* name, QList<QByteArray> screens) {
        QTest::newRow(name) << screens << QByteArray() << QByteArray();
    };
    none("no screen", {});
    none("1080 rows", {"screen 1080"});
    none("768 rows", {"screen 768"});
    none("two screens of 1080", {"HDMI-1 1080", "eDP-1 1080"});
    QTest::newRow("4K") << QList<QByteArray>{"screen 2160"} << QByteArray("QT_SCREEN_SCALE_FACTORS")
                        << QByteArray("screen=2");
    QTest::newRow("1440 rows") << QList<QByteArray>{"DP-1 1440"}
                               << QByteArray("QT_SCREEN_SCALE_FACTORS")
                               << QByteArray("DP-1=1.33333");
    QTest::newRow("a 4K television beside a laptop")
        << QList<QByteArray>{"HDMI-1 2160", "eDP-1 1080"} << QByteArray("QT_SCREEN_SCALE_FACTORS")
        << QByteArray("HDMI-1=2;eDP-1=1");
    QTest::newRow("an X server without named screens")
        << QList<QByteArray>{" 2160"} << QByteArray("QT_SCALE_FACTOR") << QByteArray("2");
}

void TestBigScreen::scalingFollowsEachScreensRows()
{
    QFETCH(QList<QByteArray>, screens);
    std::vector<ScreenRows> rows;
    for (const QByteArray& screen : screens) {
        const qsizetype space = screen.indexOf(' ');
        rows.push_back({screen.left(space), screen.mid(space + 1).toInt()});
    }
    const auto setting = bigScreenScaling(rows);
    QTEST(setting ? QByteArray(setting->variable) : QByteArray(), "variable");
    QTEST(setting ? setting->value : QByteArray(), "value");
}

void TestBigScreen::drawnPicturesUseTheScreensPixels_data()
{
    QTest::addColumn<QString>("resource");
    for (const char* name : {"icons/folder", "icons/media", "buttons/play", "buttons/pause",
                             "buttons/stop", "buttons/prev", "buttons/next", "buttons/select"})
        QTest::newRow(name) << QStringLiteral(":/%1.svg").arg(QLatin1String(name));
}

void TestBigScreen::drawnPicturesUseTheScreensPixels()
{
    QFETCH(QString, resource);
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
        for (int x = 0; x < size.width(); ++x) {
            const QColor a = shrunk.pixelColor(x, y), b = layout.pixelColor(x, y);
            differing += qAbs(a.alpha() - b.alpha()) > 96;
        }
    }
    QVERIFY2(differing < size.width() * size.height() / 20, qPrintable(QString::number(differing)));
}

void TestBigScreen::listIconsAndButtonsUseTheScreensPixels()
{
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    MenuModel& rows = w.LsvMenu->rows();
    rows.setRows({MenuRow{"carpeta", "/a", 1, {}, {}}, MenuRow{"canción.mp3", "/b", 2, {}, {}}});
    for (int row : {0, 1}) {
        const auto icon = rows.data(rows.index(row, 0), Qt::DecorationRole).value<QIcon>();
        QCOMPARE(icon.availableSizes(), QList<QSize>({QSize(96, 96)}));
    }
    for (const Picture* button : w.controlPanel.ImgBut) {
        QCOMPARE(button->deviceSize(), button->size() * 2);
        QCOMPARE(button->picture().size(), button->deviceSize());
    }
}

void TestBigScreen::photosAreDecodedAtTheScreensPixels()
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
    TestBigScreen test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_bigscreen.moc"
