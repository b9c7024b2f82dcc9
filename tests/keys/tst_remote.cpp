#include "form/elements.h"
#include "form/menulist.h"
#include "form/twips.h"
#include "keys/controlpanel.h"
#include "keys/jumppanel.h"
#include "keys/windowkeys.h"
#include "support/librarytree.h"
#include "support/testwindow.h"

#include <QTest>
#include <QTimer>

namespace {

struct Remote {
    explicit Remote(const QString& type = QStringLiteral("video"), double duration = 600)
    {
        t.create();
        if (!type.isNull())
            t.player.media = CurrentMedia{"/m/x", type, {}, {}, {}, duration};
        t.player.position = 0;
        t.player.state = PlayState::Playing;
    }
    MainWindow& w() { return *t.window; }
    void press(Qt::Key key, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(w().LsvMenu, key);
    }
    // Shows the panel and frames the button by pressing Right.
    void frame(int button)
    {
        do
            press(Qt::Key_Right);
        while (w().state.ControlIndex != button);
    }
    double frameLeft() { return twipRect(w().controlPanel.Shape4).left(); }
    TestWindow t;
};

} // namespace

class TestRemote : public QObject {
    Q_OBJECT
private slots:
    void arrowsMoveTheFrameAndWrap();
    void autoHideAfterTheLastArrow();
    void buttons_data();
    void buttons();
    void videoSteps_data();
    void videoSteps();
    void songSteps_data();
    void songSteps();
    void jumpPanel();
    void jumpSteps_data();
    void jumpSteps();
    void jumpEnterNeedsThePlayerView();
};

void TestRemote::arrowsMoveTheFrameAndWrap()
{
    Remote r;
    MainWindow& w = r.w();
    QVERIFY(w.controlPanel.PicControls->isHidden());
    const std::array<double, 6> buttonLefts{360, 2040, 3600, 5160, 6720, 8280};
    for (int expected : {1, 2, 3, 4, 5, 0}) {
        r.press(Qt::Key_Right);
        QCOMPARE(w.state.ControlIndex, expected);
        QCOMPARE(r.frameLeft(), buttonLefts[std::size_t(expected)] - 120);
    }
    QVERIFY(!w.controlPanel.PicControls->isHidden());
    r.press(Qt::Key_Left);
    QCOMPARE(w.state.ControlIndex, 5);
    QCOMPARE(r.frameLeft(), 8280.0 - 120);
}

void TestRemote::autoHideAfterTheLastArrow()
{
    Remote r;
    MainWindow& w = r.w();
    QTest::keyPress(w.LsvMenu, Qt::Key_Right);
    QVERIFY(!w.controlPanel.Timer2->isActive());
    QTest::keyRelease(w.LsvMenu, Qt::Key_Right);
    QVERIFY(w.controlPanel.Timer2->isActive());
    QCOMPARE(w.controlPanel.Timer2->interval(), 5000);
    // Any key pressed on the list keeps the panel up.
    r.press(Qt::Key_Down);
    QVERIFY(!w.controlPanel.Timer2->isActive());
    r.press(Qt::Key_Left);
    QVERIFY(w.controlPanel.Timer2->isActive());
    setTwipHeight(w.playerView.MediaPlayer, 100);
    QTRY_VERIFY_WITH_TIMEOUT(w.controlPanel.PicControls->isHidden(), 6000);
    QCOMPARE(twipRect(w.playerView.MediaPlayer).size(), screenTwips(&w));
    QVERIFY(!w.controlPanel.Timer2->isActive());
}

void TestRemote::buttons_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<bool>("panelStays");
    QTest::newRow("PLAY") << 0 << QStringList{"play"} << false;
    QTest::newRow("PAUSE") << 1 << QStringList{"pause"} << false;
    QTest::newRow("STOP") << 2 << QStringList{"stop"} << false;
    QTest::newRow("SELECT") << 5 << QStringList{} << true;
}

void TestRemote::buttons()
{
    QFETCH(int, button);
    Remote r;
    MainWindow& w = r.w();
    setTwipHeight(w.playerView.PicMediaPlayer, 100);
    r.frame(button);
    setTwipHeight(w.playerView.MediaPlayer, 100); // as the panel on screen leaves it
    r.press(Qt::Key_Return);
    QTEST(r.t.player.calls, "calls");
    QFETCH(bool, panelStays);
    QCOMPARE(!w.controlPanel.PicControls->isHidden(), panelStays);
    // The picture gets back the foot of the screen the panel covered.
    QCOMPARE(twipRect(w.playerView.MediaPlayer).height() == screenTwips(&w).height(), !panelStays);
    QVERIFY(!w.controlPanel.Timer2->isActive());
    QCOMPARE(w.state.StoppedByUser, button == 2);
    if (button == 0)
        QCOMPARE(twipRect(w.playerView.PicMediaPlayer).size(), screenTwips(&w));
}

void TestRemote::videoSteps_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("jumpOpenedBefore");
    QTest::addColumn<int>("button");
    QTest::addColumn<double>("position");
    QTest::addColumn<double>("after");
    QTest::newRow("PREV near the start refused") << "video" << false << 3 << 5.0 << 5.0;
    QTest::newRow("PREV by a tenth of 100") << "video" << false << 3 << 15.0 << 5.0;
    QTest::newRow("PREV by a tenth of the length") << "video" << true << 3 << 100.0 << 40.0;
    QTest::newRow("NEXT by 10 seconds") << "video" << true << 4 << 100.0 << 110.0;
    QTest::newRow("NEXT near the end refused") << "video" << false << 4 << 595.0 << 595.0;
}

void TestRemote::videoSteps()
{
    QFETCH(QString, type);
    QFETCH(bool, jumpOpenedBefore);
    QFETCH(int, button);
    QFETCH(double, position);
    Remote r(type, 600);
    MainWindow& w = r.w();
    if (jumpOpenedBefore) {
        OpenJumpPanel(w);
        Form_KeyDown(w, 27); // cancelled
    }
    r.t.player.position = position;
    r.frame(button);
    r.press(Qt::Key_Return);
    QTEST(*r.t.player.position, "after");
    QVERIFY(w.controlPanel.PicControls->isHidden());
}

void TestRemote::songSteps_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("track");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("trackAfter");
    QTest::addColumn<QString>("opened"); // empty: nothing opens and the panel stays
    QTest::newRow("NEXT") << "audio" << 0 << 4 << 1 << "b.mp3";
    QTest::newRow("PREV") << "audio" << 2 << 3 << 1 << "b.mp3";
    QTest::newRow("NEXT on the last") << "audio" << 2 << 4 << 2 << "";
    QTest::newRow("PREV on the first") << "audio" << 0 << 3 << 0 << "";
    QTest::newRow("nothing loaded goes by songs") << QString() << 0 << 4 << 1 << "b.mp3";
    QTest::newRow("the video test is exact") << "Video" << 1 << 3 << 0 << "a.mp3";
}

void TestRemote::songSteps()
{
    QFETCH(QString, type);
    QFETCH(int, track);
    QFETCH(int, button);
    QFETCH(QString, opened);
    const LibraryTree tree({"m/a.mp3", "m/b.mp3", "m/c.mp3"});
    Remote r(type);
    MainWindow& w = r.w();
    QVERIFY(w.playback.File2.setPath(tree.path("m")));
    w.state.TrackIndex = track;
    r.frame(button);
    r.press(Qt::Key_Return);
    QTEST(w.state.TrackIndex, "trackAfter");
    if (opened.isEmpty()) {
        QVERIFY(r.t.player.calls.isEmpty());
        QVERIFY(!w.controlPanel.PicControls->isHidden());
        QVERIFY(!w.controlPanel.Timer2->isActive());
    } else {
        QCOMPARE(r.t.player.calls, QStringList({"URL " + tree.path("m/" + opened), "play"}));
        QVERIFY(w.controlPanel.PicControls->isHidden());
    }
}

void TestRemote::jumpPanel()
{
    Remote r("video", 600);
    MainWindow& w = r.w();
    w.playerView.PicMediaPlayer->show();
    r.t.player.position = 100;
    r.frame(5);
    r.press(Qt::Key_Return);
    QVERIFY(!w.jumpPanel.PicSaltar->isHidden());
    QVERIFY(!w.controlPanel.PicControls->isHidden());
    QVERIFY(w.playerView.MediaPlayer->isHidden());
    QCOMPARE(w.state.JumpIndex, 0);
    QCOMPARE(twipRect(w.jumpPanel.Shape5).left(), 600.0);
    QCOMPARE(w.jumpPanel.bar.maximum, 600.0f);
    QCOMPARE(w.jumpPanel.bar.value, 100.0f);

    r.press(Qt::Key_Left);
    QCOMPARE(w.state.JumpIndex, 2);
    QCOMPARE(twipRect(w.jumpPanel.Shape5).left(), 4440.0);
    r.press(Qt::Key_Right);
    QCOMPARE(w.state.JumpIndex, 0);
    QCOMPARE(w.state.ControlIndex, 5); // the control panel's frame stays put meanwhile

    // Más moves the target, not the playing media; OK jumps there and closes both panels.
    r.press(Qt::Key_Return);
    QCOMPARE(w.jumpPanel.bar.value, 160.0f);
    QCOMPARE(*r.t.player.position, 100.0);
    r.press(Qt::Key_Left);
    setTwipHeight(w.playerView.MediaPlayer, 100);
    r.press(Qt::Key_Return);
    QCOMPARE(*r.t.player.position, 160.0);
    QVERIFY(w.jumpPanel.PicSaltar->isHidden());
    QVERIFY(w.controlPanel.PicControls->isHidden());
    QVERIFY(!w.playerView.MediaPlayer->isHidden());
    QCOMPARE(twipRect(w.playerView.MediaPlayer).size(), screenTwips(&w));
    QVERIFY(!w.controlPanel.Timer2->isActive());
}

void TestRemote::jumpSteps_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<int>("choice"); // 0 Más, 1 Menos
    QTest::addColumn<int>("presses");
    QTest::addColumn<double>("target");
    QTest::newRow("Más up to the last step before the end") << 100.0 << 0 << 8 << 580.0;
    QTest::newRow("Más refused at the end") << 100.0 << 0 << 9 << 580.0;
    QTest::newRow("Menos refused at the start") << 50.0 << 1 << 1 << 50.0;
    QTest::newRow("Menos") << 70.0 << 1 << 1 << 10.0;
}

void TestRemote::jumpSteps()
{
    QFETCH(double, start);
    QFETCH(int, choice);
    QFETCH(int, presses);
    Remote r("video", 600);
    MainWindow& w = r.w();
    w.playerView.PicMediaPlayer->show();
    r.t.player.position = start;
    OpenJumpPanel(w);
    if (choice == 1)
        r.press(Qt::Key_Right);
    r.press(Qt::Key_Return, presses);
    QTEST(double(w.jumpPanel.bar.value), "target");
    QVERIFY(!w.jumpPanel.PicSaltar->isHidden());
    QCOMPARE(*r.t.player.position, start);
}

void TestRemote::jumpEnterNeedsThePlayerView()
{
    Remote r("video", 600);
    MainWindow& w = r.w();
    r.t.player.position = 100;
    OpenJumpPanel(w);
    r.press(Qt::Key_Return);
    QCOMPARE(w.jumpPanel.bar.value, 100.0f);
    r.press(Qt::Key_Right);
    QCOMPARE(w.state.JumpIndex, 1);
    Form_KeyDown(w, 27);
    QVERIFY(w.jumpPanel.PicSaltar->isHidden());
    QCOMPARE(*r.t.player.position, 100.0);

    // With nothing loaded the bar keeps what it had.
    r.t.player.media.reset();
    r.t.player.position.reset();
    OpenJumpPanel(w);
    QCOMPARE(w.jumpPanel.bar.maximum, 600.0f);
}

QTEST_MAIN(TestRemote)
#include "tst_remote.moc"
