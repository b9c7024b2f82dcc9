#include "form/elements.h"
#include "form/keycodes.h"
#include "form/twips.h"
#include "keys/windowkeys.h"
#include "playback/nowplaying.h"
#include "playback/playall.h"
#include "support/files.h"
#include "support/librarytree.h"
#include "support/modalanswers.h"
#include "support/testwindow.h"

#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {

CurrentMedia media(const QString& type, const QString& path = QStringLiteral("/m/a.mp3"))
{
    return CurrentMedia{path, type, "Artista", "Canción", "Disco", 220};
}

} // namespace

class TestNowPlaying : public QObject {
    Q_OBJECT
private slots:
    void nowPlayingText_data();
    void nowPlayingText();
    void mediaKindShowsOrHidesTheView_data();
    void mediaKindShowsOrHidesTheView();
    void mediaChangeFindsTheSongInItsFolder();
    void repeatNeedsThePositionStrictlyPastB_data();
    void repeatNeedsThePositionStrictlyPastB();
    void escapeShowsThePlayerViewTheFirstTime();
    void repeatBelongsToItsFile_data();
    void repeatBelongsToItsFile();
    void folderGoesOnPastAnUnplayableSong_data();
    void folderGoesOnPastAnUnplayableSong();
    void timeText();
    void userStopStartsNothing();
    void playlistFileLeavesOutLineBreaks();
    void unwritableListChangesNothing();
};

void TestNowPlaying::nowPlayingText_data()
{
    QTest::addColumn<QStringList>("tags");
    QTest::addColumn<QString>("text");
    QTest::newRow("all") << QStringList{"Artista", "Canción", "Disco"}
                         << "Artista: Canción (Disco)";
    QTest::newRow("none") << QStringList{"", "", ""} << ":  ()";
    QTest::newRow("title only") << QStringList{"", "Sola", ""} << ": Sola ()";
}

void TestNowPlaying::nowPlayingText()
{
    QFETCH(QStringList, tags);
    const CurrentMedia item{"/x.mp3", "audio", tags[0], tags[1], tags[2], 1};
    QTEST(::nowPlayingText(item), "text");
}

void TestNowPlaying::mediaKindShowsOrHidesTheView_data()
{
    QTest::addColumn<QString>("event");
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("viewBefore");
    QTest::addColumn<bool>("viewAfter");
    for (const char* event : {"NewStream", "MediaChange", "Resize"}) {
        QTest::addRow("%s video", event) << event << "video" << false << true;
        QTest::addRow("%s audio", event) << event << "audio" << true << false;
        QTest::addRow("%s neither", event) << event << "" << true << true;
        QTest::addRow("%s case counts", event) << event << "Video" << false << false;
    }
}

void TestNowPlaying::mediaKindShowsOrHidesTheView()
{
    QFETCH(QString, event);
    QFETCH(QString, type);
    QFETCH(bool, viewBefore);
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    w.playerView.PicMediaPlayer->setVisible(viewBefore);
    setTwipHeight(w.playerView.MediaPlayer, 100);
    t.player.media = media(type);
    if (event == u"NewStream")
        MediaPlayer_NewStream(w);
    else if (event == u"MediaChange")
        MediaPlayer_MediaChange(w);
    else
        PicMediaPlayer_Resize(w);
    QTEST(!w.playerView.PicMediaPlayer->isHidden(), "viewAfter");
    QCOMPARE(w.nowPlaying.LblNowPlaying->text(), QStringLiteral("Artista: Canción (Disco)"));
    if (type == u"video")
        QCOMPARE(twipRect(w.playerView.MediaPlayer).size(), screenTwips(&w));
}

void TestNowPlaying::mediaChangeFindsTheSongInItsFolder()
{
    const LibraryTree tree({"m/a.mp3", "m/b.wav", "m/c.ogg", "m/d.mid", "m/e.WMA"});
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    t.player.media = media("audio", tree.path("m/c.ogg"));
    MediaPlayer_MediaChange(w);
    QCOMPARE(w.playback.File2.entries, QStringList({"a.mp3", "b.wav", "c.ogg", "e.WMA"}));
    QCOMPARE(w.state.TrackIndex, 2);

    // A song the folder list does not hold leaves the index where it was.
    t.player.media = media("audio", tree.path("m/d.mid"));
    MediaPlayer_MediaChange(w);
    QCOMPARE(w.state.TrackIndex, 2);

    // Nothing loaded: nothing changes, nothing is said.
    t.player.media.reset();
    w.nowPlaying.LblNowPlaying->setText("antes");
    MediaPlayer_MediaChange(w);
    PicMediaPlayer_Resize(w);
    QCOMPARE(w.nowPlaying.LblNowPlaying->text(), QStringLiteral("antes"));
}

void TestNowPlaying::repeatNeedsThePositionStrictlyPastB_data()
{
    QTest::addColumn<double>("position");
    QTest::addColumn<bool>("repeat");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("at B") << 20.0 << true << QStringList{};
    QTest::newRow("past B") << 20.4 << true << QStringList{"play"};
    QTest::newRow("repeat off") << 25.0 << false << QStringList{};
}

void TestNowPlaying::repeatNeedsThePositionStrictlyPastB()
{
    QFETCH(double, position);
    QFETCH(bool, repeat);
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    t.player.state = PlayState::Playing;
    t.player.media = media("audio");
    t.player.position = position;
    w.state.RepeatAB = repeat;
    w.state.MarkA = 10;
    w.state.MarkB = 20;
    Timer1_Timer(w);
    QTEST(t.player.calls, "calls");
    QCOMPARE(*t.player.position, t.player.calls.isEmpty() ? position : 10.0);
}

void TestNowPlaying::escapeShowsThePlayerViewTheFirstTime()
{
    // The panel was sized while hidden; its first show must not count it hidden again.
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    w.showOnScreen();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    t.player.media = media("audio");
    for (bool shown : {true, false, true}) {
        Form_KeyDown(w, kKeyEscape);
        QCOMPARE(w.playerView.PicMediaPlayer->isVisible(), shown);
        QCOMPARE(w.playerViewShown(), shown);
    }
}

void TestNowPlaying::repeatBelongsToItsFile_data()
{
    QTest::addColumn<QString>("next");
    QTest::addColumn<bool>("repeat");
    QTest::newRow("another file opens") << "/m/b.mp3" << false;
    QTest::newRow("the same file again") << "/m/a.mp3" << true;
}

void TestNowPlaying::repeatBelongsToItsFile()
{
    QFETCH(QString, next);
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    t.player.media = media("audio", "/m/a.mp3");
    t.player.position = 12;
    Form_KeyDown(w, kKeyF2);
    QVERIFY(w.state.RepeatAB);
    t.player.media = media("audio", next);
    t.player.position = 30;
    MediaPlayer_MediaChange(w);
    QTEST(w.state.RepeatAB, "repeat");
    Timer1_Timer(w);
    QCOMPARE(t.player.calls.isEmpty(), !w.state.RepeatAB);
}

void TestNowPlaying::folderGoesOnPastAnUnplayableSong_data()
{
    QTest::addColumn<bool>("stoppedByUser");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("on to the next song") << false << QStringList{"URL %1/m/c.mp3", "play"};
    QTest::newRow("the user stopped") << true << QStringList{};
}

void TestNowPlaying::folderGoesOnPastAnUnplayableSong()
{
    QFETCH(bool, stoppedByUser);
    QFETCH(QStringList, calls);
    const LibraryTree tree({"m/a.mp3", "m/b.mp3", "m/c.mp3"});
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    ModalAnswers answers({});
    t.player.media = media("audio", tree.path("m/a.mp3"));
    MediaPlayer_MediaChange(w);
    t.player.state = PlayState::Stopped; // a.mp3 ended by itself
    Timer1_Timer(w);
    QCOMPARE(t.player.calls, QStringList({"URL " + tree.path("m/b.mp3"), "play"}));

    // b.mp3 cannot be played: the player is left with nothing loaded.
    t.player.calls.clear();
    t.player.media.reset();
    t.player.state = PlayState::Undefined;
    emit t.player.Error(tree.path("m/b.mp3"), QStringLiteral("el archivo no se pudo abrir"));
    QCOMPARE(answers.messages.size(), 1);
    w.state.StoppedByUser = stoppedByUser;
    Timer1_Timer(w);
    Timer1_Timer(w);
    QCOMPARE(t.player.calls.join(u'|').replace(tree.path(), "%1"), calls.join(u'|'));
}

void TestNowPlaying::timeText()
{
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    Timer1_Timer(w);
    QCOMPARE(w.nowPlaying.lblTime->text(), QStringLiteral("00:00"));
    t.player.state = PlayState::Playing;
    t.player.media = media("audio");
    t.player.position = 65.2;
    Timer1_Timer(w);
    QCOMPARE(w.nowPlaying.lblTime->text(), QStringLiteral("01:05 / 03:40"));
    t.player.media.reset();
    t.player.position.reset();
    Timer1_Timer(w);
    QCOMPARE(w.nowPlaying.lblTime->text(), QStringLiteral("01:05 / 03:40"));
}

void TestNowPlaying::userStopStartsNothing()
{
    const LibraryTree tree({"m/a.mp3", "m/b.mp3"});
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    t.player.media = media("audio", tree.path("m/a.mp3"));
    MediaPlayer_MediaChange(w);
    t.player.state = PlayState::Stopped;
    w.state.StoppedByUser = true;
    w.state.RepeatAB = true;
    Timer1_Timer(w);
    QVERIFY(t.player.calls.isEmpty());
    QVERIFY(w.state.RepeatAB);

    w.state.StoppedByUser = false;
    Timer1_Timer(w);
    QCOMPARE(t.player.calls, QStringList({"URL " + tree.path("m/b.mp3"), "play"}));
    QVERIFY(!w.state.RepeatAB);
}

void TestNowPlaying::playlistFileLeavesOutLineBreaks()
{
    QCOMPARE(m3uPlaylist({}), QByteArray());
    QCOMPARE(m3uPlaylist({"/m/a b.mp3", "/m/línea\nrota.mp3", "/m/c\r.mp3", "/m/Ñ.mp3"}),
             QByteArray("/m/a b.mp3\r\n/m/\xc3\x91.mp3\r\n"));
}

void TestNowPlaying::unwritableListChangesNothing()
{
    const LibraryTree tree({"m/a.mp3"});
    FakePlayer player;
    FakeDrives drives;
    FakeLauncher launcher;
    FakeFileOperations files;
    // The program's folder is a file: nothing can be written in it, even by root.
    QVERIFY(writeFile(tree.path("not-a-folder"), "x"));
    MainWindow w(Services{player, drives, launcher, files}, tree.path("not-a-folder"));
    w.File1.pattern = "*.mp3";
    QVERIFY(w.File1.setPath(tree.path("m")));
    player.playlist = {MediaItem{"/old.mp3"}};

    QString message;
    QTimer::singleShot(0, this, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            message = box->text();
            box->accept();
        }
    });
    EnqueueAll(w);
    QVERIFY2(message.startsWith("No se pudo escribir la lista de reproducción"),
             qPrintable(message));
    QCOMPARE(player.playlist.size(), 1);
    QVERIFY(player.calls.isEmpty());
}

QTEST_MAIN(TestNowPlaying)
#include "tst_nowplaying.moc"
