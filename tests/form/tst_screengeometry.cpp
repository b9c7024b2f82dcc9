#include "form/screengeometry.h"

#include <QTest>

class TestScreenGeometry : public QObject {
    Q_OBJECT
private slots:
    void fillsA1024By768Screen();
    void centresTheListInAShorterWindow();
    void gradient_data();
    void gradient();
};

void TestScreenGeometry::fillsA1024By768Screen()
{
    const QSizeF screen(15360, 11520);
    const StartupGeometry s = startupLayout(screen);
    QCOMPARE(s.LsvMenu.width(), 11825.0);
    QVERIFY(qAbs(s.LsvMenu.height() - 8228.571) < 0.01);
    QCOMPARE(s.LsvMenu.left(), 120.0);
    QCOMPARE(s.Image2.left(), 12025.0);
    QCOMPARE(s.Image2.size(), QSizeF(3135, 3015));
    QCOMPARE(s.PicNowPlaying.top(), 10225.0);
    QCOMPARE(s.PicNowPlaying.width(), 15160.0);
    QCOMPARE(s.Shape2.width(), 15160.0);
    // The now-playing text reaches across the panel, less its left margin on the right too.
    QCOMPARE(s.LblNowPlaying, QRectF(240, 120, 14680, 480));
    QCOMPARE(s.PicControls, QRectF(0, 10345, 15360, 975));
    QCOMPARE(s.Shape3.width(), 15360.0);
    QCOMPARE(s.PicMediaPlayer, QRectF(0, 0, 15360, 11520));
    QCOMPARE(playerHeightAboveControls(screen, s.PicControls.height()), 10325.0);

    const RelayoutGeometry r = relayout(s.LsvMenu, 3135, screen, screen);
    QVERIFY(qAbs(r.LsvMenuTop - 1645.714) < 0.01);
    QVERIFY(qAbs(r.LblTitleTop - 645.714) < 0.01);
    QVERIFY(qAbs(r.Shape1Top - 495.714) < 0.01);
    QCOMPARE(r.Image2Top, r.LsvMenuTop);
    QCOMPARE(r.LblTitleWidth, 15160.0);
    QCOMPARE(r.Shape1Width, 15160.0);
    QCOMPARE(r.LblTitleLeft, 120.0);
    QCOMPARE(r.Shape1Left, 120.0);
    QCOMPARE(r.PicNowPlayingLeft, 120.0);
    QCOMPARE(r.lblTimeLeft, 11825.0);
    QCOMPARE(r.Image1Size, screen);
}

void TestScreenGeometry::centresTheListInAShorterWindow()
{
    const QSizeF screen(15360, 11520);
    const StartupGeometry s = startupLayout(screen);
    const RelayoutGeometry r = relayout(s.LsvMenu, 3135, screen, QSizeF(9000, 9000));
    QVERIFY(qAbs(r.LsvMenuTop - (9000 - 8228.571) / 2) < 0.01);
    QCOMPARE(r.LblTitleWidth, 15160.0); // widths still follow the screen
    QCOMPARE(r.Image1Size, QSizeF(9000, 9000));
}

void TestScreenGeometry::gradient_data()
{
    QTest::addColumn<double>("row");
    QTest::addColumn<int>("green");
    QTest::newRow("top") << 0.0 << 0;
    QTest::newRow("last black row") << 119.0 << 0;
    QTest::newRow("first green row") << 120.0 << 1;
    QTest::newRow("second step") << 241.0 << 2;
    QTest::newRow("third step") << 362.0 << 3;
    QTest::newRow("foot of a 768-pixel screen") << 11520.0 << 95;
    QTest::newRow("very tall window") << 40000.0 << 255;
}

void TestScreenGeometry::gradient()
{
    QFETCH(double, row);
    QTEST(gradientGreen(row), "green");
}

QTEST_GUILESS_MAIN(TestScreenGeometry)
#include "tst_screengeometry.moc"
