#include "app/elements.h"
#include "app/twips.h"
#include "menu/folderbrowser.h"
#include "menu/menulist.h"
#include "pictures/pictureviewer.h"
#include "pictures/preview.h"
#include "support/testwindow.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool savePicture(const QString& path, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(path);
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
    QVERIFY(qAbs(viewerShrinkFactor(picture, window) - factor) < 1e-9);
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
    QVERIFY2(centre.name() == QColor(shown).name() ||
                 qAbs(centre.hue() - QColor(shown).hue()) < 10,
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
        {Qt::Key_Left, 2}, {Qt::Key_Left, 0}, {Qt::Key_Right, 2}, {Qt::Key_Right, 1},
        {Qt::Key_Space, 1},
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

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
