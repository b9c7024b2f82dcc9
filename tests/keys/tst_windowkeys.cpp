#include "form/elements.h"
#include "form/keycodes.h"
#include "form/menulist.h"
#include "form/twips.h"
#include "keys/windowkeys.h"
#include "support/testwindow.h"

#include <QListWidget>
#include <QTest>
#include <QTimer>

class TestWindowKeys : public QObject {
    Q_OBJECT
private slots:
    void spacePausesOrResumes_data();
    void spacePausesOrResumes();
    void remoteTransportButtons_data();
    void remoteTransportButtons();
    void escapeClosesTheImportScreenFirst();
    void escapeSwitchesThePlayerView();
    void escapeCancelsTheJumpPanel();
    void repeatMarks_data();
    void repeatMarks();
};

void TestWindowKeys::spacePausesOrResumes_data()
{
    QTest::addColumn<PlayState>("state");
    QTest::addColumn<QString>("call");
    QTest::newRow("paused") << PlayState::Paused << "play";
    QTest::newRow("playing") << PlayState::Playing << "pause";
    QTest::newRow("stopped") << PlayState::Stopped << "pause";
    QTest::newRow("nothing loaded") << PlayState::Undefined << "pause";
}

void TestWindowKeys::spacePausesOrResumes()
{
    QFETCH(PlayState, state);
    TestWindow t;
    t.create();
    t.player.state = state;
    Form_KeyDown(*t.window, kKeySpace);
    QTEST(t.player.calls.join(u' '), "call");
}

void TestWindowKeys::remoteTransportButtons_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("importScreen");
    QTest::addColumn<QString>("calls");
    QTest::addColumn<double>("position"); // of a film at 20 s, 60 s long
    QTest::newRow("STOP") << kKeyMediaStop << false << "stop" << 20.0;
    QTest::newRow("NEXT: ten seconds on") << kKeyMediaNext << false << "" << 30.0;
    QTest::newRow("PREV: a tenth of the bar back") << kKeyMediaPrevious << false << "" << 14.0;
    QTest::newRow("STOP on the import screen") << kKeyMediaStop << true << "" << 20.0;
    QTest::newRow("NEXT on the import screen") << kKeyMediaNext << true << "" << 20.0;
}

void TestWindowKeys::remoteTransportButtons()
{
    QFETCH(int, key);
    QFETCH(bool, importScreen);
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    t.player.state = PlayState::Playing;
    t.player.media = CurrentMedia{"/films/a.mkv", "video", {}, {}, {}, 60};
    t.player.position = 20;
    w.jumpPanel.bar.maximum = 60;
    if (importScreen)
        w.importScreen.picCopiar->show();
    Form_KeyDown(w, key);
    QTEST(t.player.calls.join(u' '), "calls");
    QTEST(*t.player.position, "position");
}

void TestWindowKeys::escapeClosesTheImportScreenFirst()
{
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    w.LsvMenu->setRows({MenuRow{"ATRÁS", "Back", 0, {}, {}}});
    w.importScreen.picCopiar->show();
    w.jumpPanel.PicSaltar->show();
    w.playerView.PicMediaPlayer->show();
    Form_KeyDown(w, kKeyEscape);
    QVERIFY(w.importScreen.picCopiar->isHidden());
    QCOMPARE(w.LsvMenu->rows().rowCount(), 6);
    QVERIFY(!w.jumpPanel.PicSaltar->isHidden());
    QVERIFY(!w.playerView.PicMediaPlayer->isHidden());
}

void TestWindowKeys::escapeSwitchesThePlayerView()
{
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    setTwipHeight(w.playerView.MediaPlayer, 500);
    Form_KeyDown(w, kKeyEscape);
    QVERIFY(!w.playerView.PicMediaPlayer->isHidden());
    QCOMPARE(twipRect(w.playerView.MediaPlayer).size(), screenTwips(&w));
    Form_KeyDown(w, kKeyEscape);
    QVERIFY(w.playerView.PicMediaPlayer->isHidden());
    QVERIFY(t.player.calls.isEmpty());
}

void TestWindowKeys::escapeCancelsTheJumpPanel()
{
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    t.player.position = 42;
    w.playerView.PicMediaPlayer->show();
    w.playerView.MediaPlayer->hide();
    setTwipHeight(w.playerView.MediaPlayer, 500);
    w.controlPanel.PicControls->show();
    w.jumpPanel.PicSaltar->show();
    w.controlPanel.Timer2->start();

    Form_KeyDown(w, kKeyEscape);
    QVERIFY(w.jumpPanel.PicSaltar->isHidden());
    QVERIFY(w.controlPanel.PicControls->isHidden());
    QVERIFY(!w.controlPanel.Timer2->isActive());
    QVERIFY(!w.playerView.MediaPlayer->isHidden());
    QVERIFY(!w.playerView.PicMediaPlayer->isHidden());
    QCOMPARE(twipRect(w.playerView.MediaPlayer).size(), screenTwips(&w));
    QCOMPARE(*t.player.position, 42.0);
}

void TestWindowKeys::repeatMarks_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<double>("position");
    QTest::addColumn<int>("markA");
    QTest::addColumn<int>("markB");
    QTest::addColumn<bool>("repeat");
    QTest::newRow("F1 rounds halves to even") << QList<int>{kKeyF1} << 12.5 << 12 << -1 << false;
    QTest::newRow("F1 rounds up past half") << QList<int>{kKeyF1} << 13.5 << 14 << -1 << false;
    QTest::newRow("F2 sets B and repeats") << QList<int>{kKeyF2} << 20.4 << -1 << 20 << true;
    QTest::newRow("F2 twice switches off, B kept")
        << QList<int>{kKeyF2, kKeyF2} << 20.4 << -1 << 20 << false;
    QTest::newRow("F1 after F2 switches off")
        << QList<int>{kKeyF2, kKeyF1} << 7.0 << 7 << 7 << false;
    // Nothing loaded: an old B must not start a repeat that the next file would obey.
    QTest::newRow("F2 without a position") << QList<int>{kKeyF2} << qQNaN() << -1 << -1 << false;
    QTest::newRow("F1 without a position") << QList<int>{kKeyF1} << qQNaN() << -1 << -1 << false;
}

void TestWindowKeys::repeatMarks()
{
    QFETCH(QList<int>, keys);
    QFETCH(double, position);
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    w.state.MarkA = -1;
    w.state.MarkB = -1;
    if (!qIsNaN(position))
        t.player.position = position;
    for (int key : keys)
        Form_KeyDown(w, key);
    QTEST(int(w.state.MarkA), "markA");
    QTEST(int(w.state.MarkB), "markB");
    QTEST(w.state.RepeatAB, "repeat");
}

QTEST_MAIN(TestWindowKeys)
#include "tst_windowkeys.moc"
