#include "app/mainwindow.h"
#include "form/elements.h"
#include "form/mediakinds.h"
#include "form/menulist.h"
#include "menu/folderbrowser.h"
#include "menu/itemactivation.h"
#include "platform/filesystem.h"
#include "platform/mpvplayer.h"
#include "playback/nowplaying.h"
#include "support/fakedrives.h"
#include "support/fakefileoperations.h"
#include "support/fakelauncher.h"
#include "support/files.h"

#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

constexpr int kTimeoutMs = 10000;

QString data(const char* name)
{
    return QStringLiteral(TEST_DATA_DIR "/") + QString::fromUtf8(name);
}

// The real window over the real libmpv, without sound or picture; media runs faster than
// real time unless `timed`.
struct RealPlayback {
    explicit RealPlayback(bool timed = false)
        : player(
              drives,
              MpvSettings{QStringLiteral("null"), QStringLiteral("null"), QString(),
                          timed ? std::vector<std::pair<QByteArray, QByteArray>>{}
                                : std::vector<std::pair<QByteArray, QByteArray>>{{"untimed", "yes"},
                                                                                 {"ao-null-untimed",
                                                                                  "yes"}}}),
          window(std::make_unique<MainWindow>(Services{player, drives, launcher, files},
                                              programFolder.path()))
    {
        window->Timer1->stop(); // the tests tick it themselves
    }

    // A folder of copies of a test file under the given names.
    QString folderOf(const QStringList& names, const char* source = "tagged.mp3")
    {
        const QString folder = media.filePath(QString::number(++folders));
        QDir().mkpath(folder);
        for (const QString& name : names)
            QFile::copy(data(source), folder + u'/' + name);
        return folder;
    }

    void choose(const QString& text)
    {
        MenuList& list = *window->LsvMenu;
        for (int row = 0; row < list.rows().rowCount(); ++row) {
            if (list.rows().row(row).text == text)
                list.selectRow(row);
        }
        LsvMenu_Click(*window);
    }

    QString nowPlaying()
    {
        return player.currentMedia() ? player.currentMedia()->sourceURL : QString();
    }

    FakeDrives drives;
    FakeLauncher launcher;
    FakeFileOperations files;
    MpvPlayer player;
    QTemporaryDir programFolder;
    QTemporaryDir media;
    int folders = 0;
    std::unique_ptr<MainWindow> window;
};

} // namespace

class TestPlayback : public QObject {
    Q_OBJECT
private slots:
    void nextSongStartsByItselfAndStopsAfterTheLast();
    void videoEndingClearsTheRepeatAndStartsNothing();
    void repeatJumpsBackOnlyPastTheSecondMark();
    void playAllPlaysInOrderAndWritesTheList();
    void playAllOfNothing();
    void unplayableFileIsReported();
    void badFilesNeverStopTheProgram();
};

void TestPlayback::nextSongStartsByItselfAndStopsAfterTheLast()
{
    RealPlayback p;
    MainWindow& w = *p.window;
    const QString folder = p.folderOf({"a.mp3", "b.mp3", "c.mp3", "notes.txt"});
    w.File1.pattern = kAudioPattern;
    QVERIFY(Explore(w, folder));
    QSignalSpy changes(&p.player, &MediaPlayer::MediaChange);

    p.choose("b.mp3");
    QVERIFY(changes.wait(kTimeoutMs));
    QCOMPARE(w.state.TrackIndex, 1);
    QCOMPARE(w.nowPlaying.LblNowPlaying->text(),
             QStringLiteral("Test Artist: Test Title (Test Album)"));
    QVERIFY(w.playerView.PicMediaPlayer->isHidden());
    QTRY_COMPARE_WITH_TIMEOUT(p.player.playState(), PlayState::Stopped, kTimeoutMs);

    Timer1_Timer(w);
    QCOMPARE(w.state.TrackIndex, 2);
    QVERIFY(changes.wait(kTimeoutMs));
    QCOMPARE(p.nowPlaying(), folder + "/c.mp3");
    QTRY_COMPARE_WITH_TIMEOUT(p.player.playState(), PlayState::Stopped, kTimeoutMs);

    // After the last song the folder stays finished, however long the timer runs.
    for (int tick = 0; tick < 5; ++tick)
        Timer1_Timer(w);
    QTest::qWait(300);
    QCOMPARE(changes.size(), 2);
    QCOMPARE(w.state.TrackIndex, 0);
    QCOMPARE(p.player.playState(), PlayState::Stopped);
}

void TestPlayback::videoEndingClearsTheRepeatAndStartsNothing()
{
    RealPlayback p;
    MainWindow& w = *p.window;
    QSignalSpy changes(&p.player, &MediaPlayer::MediaChange);
    w.File1.pattern = kVideoPattern;
    QVERIFY(Explore(w, p.folderOf({"one.mpg", "two.mpg"}, "clip.mpg")));
    p.choose("one.mpg");
    QVERIFY(changes.wait(kTimeoutMs));
    QVERIFY(!w.playerView.PicMediaPlayer->isHidden());
    w.state.RepeatAB = true;
    w.state.MarkB = 1000;
    QTRY_COMPARE_WITH_TIMEOUT(p.player.playState(), PlayState::Stopped, kTimeoutMs);

    Timer1_Timer(w);
    Timer1_Timer(w);
    QVERIFY(!w.state.RepeatAB);
    QTest::qWait(300);
    QCOMPARE(changes.size(), 1);
}

void TestPlayback::repeatJumpsBackOnlyPastTheSecondMark()
{
    RealPlayback p(true);
    MainWindow& w = *p.window;
    QSignalSpy changes(&p.player, &MediaPlayer::MediaChange);
    p.player.setURL(data("tagged.mp3"));
    QVERIFY(changes.wait(kTimeoutMs));
    p.player.pause();
    p.player.setCurrentPosition(1.6);
    QTest::qWait(300);
    const double settled = p.player.currentPosition().value_or(-1);
    QVERIFY2(settled > 1.0 && settled < 2.0, qPrintable(QString::number(settled)));

    w.state.RepeatAB = true;
    w.state.MarkA = 0;
    w.state.MarkB = 2;
    Timer1_Timer(w);
    QTest::qWait(200);
    QCOMPARE(p.player.currentPosition().value_or(-1), settled);
    QCOMPARE(p.player.playState(), PlayState::Paused);

    w.state.MarkB = 1;
    Timer1_Timer(w);
    QCOMPARE(p.player.playState(), PlayState::Playing);
    QTRY_VERIFY(p.player.currentPosition().value_or(9) < 0.9);
}

void TestPlayback::playAllPlaysInOrderAndWritesTheList()
{
    RealPlayback p;
    MainWindow& w = *p.window;
    QStringList played;
    connect(&p.player, &MediaPlayer::MediaChange, this,
            [&](const MediaItem& item) { played << item.sourceURL; });
    const QString first = p.folderOf({"c.mp3", "a.mp3", "b.mp3"});
    w.File1.pattern = kAudioPattern;
    QVERIFY(Explore(w, first));
    p.choose("REPRODUCIR TODO");
    const QStringList order{first + "/a.mp3", first + "/b.mp3", first + "/c.mp3"};
    QTRY_COMPARE_WITH_TIMEOUT(played, order, kTimeoutMs);
    QFile list(p.programFolder.filePath("list.m3u"));
    QVERIFY(list.open(QIODevice::ReadOnly));
    QCOMPARE(list.readAll(), (order.join("\r\n") + "\r\n").toUtf8());
    list.close();

    // A second play-all replaces the first: file and playlist.
    const QString second = p.folderOf({"y.mp3", "x.mp3"});
    QVERIFY(Explore(w, second));
    played.clear();
    p.choose("REPRODUCIR TODO");
    QTRY_COMPARE_WITH_TIMEOUT(played, QStringList({second + "/x.mp3", second + "/y.mp3"}),
                              kTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(p.player.playState(), PlayState::Stopped, kTimeoutMs);
    QCOMPARE(played.size(), 2);
    QVERIFY(list.open(QIODevice::ReadOnly));
    QCOMPARE(list.readAll(), QByteArray((second + "/x.mp3\r\n" + second + "/y.mp3\r\n").toUtf8()));
}

void TestPlayback::playAllOfNothing()
{
    RealPlayback p;
    MainWindow& w = *p.window;
    QSignalSpy changes(&p.player, &MediaPlayer::MediaChange);
    w.File1.pattern = kAudioPattern;
    QVERIFY(Explore(w, p.folderOf({"readme.txt"})));
    p.choose("REPRODUCIR TODO");
    QFile list(p.programFolder.filePath("list.m3u"));
    QVERIFY(list.open(QIODevice::ReadOnly));
    QCOMPARE(list.size(), 0);
    QTest::qWait(200);
    QCOMPARE(changes.size(), 0);
}

void TestPlayback::unplayableFileIsReported()
{
    RealPlayback p;
    MainWindow& w = *p.window;
    w.File1.pattern = kAudioPattern;
    const QString folder = p.folderOf({"roto.mp3"}, "broken.mp3");
    QVERIFY(Explore(w, folder));
    QStringList messages;
    QTimer watcher;
    connect(&watcher, &QTimer::timeout, this, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            messages << box->windowTitle() + " | " + box->text();
            box->accept();
        }
    });
    watcher.start(20);
    p.choose("roto.mp3");
    QTRY_COMPARE_WITH_TIMEOUT(messages.size(), 1, kTimeoutMs);
    QVERIFY2(
        messages.front().startsWith("Sofavio | No se puede reproducir " + folder + "/roto.mp3: "),
        qPrintable(messages.front()));
    QTest::qWait(300);
    QCOMPARE(messages.size(), 1);
}

void TestPlayback::badFilesNeverStopTheProgram()
{
    RealPlayback p;
    MainWindow& w = *p.window;
    const QString folder = p.folderOf({"d bien.mp3"});
    QVERIFY(writeFile(folder + "/a vacío.mp3", ""));
    QVERIFY(writeFile(folder + "/b roto.mp3", QByteArray(3000, '\x5a')));
    QFile whole(data("tagged.mp3"));
    QVERIFY(whole.open(QIODevice::ReadOnly));
    QVERIFY(writeFile(folder + "/c corto.mp3", whole.read(700)));
    w.File1.pattern = kAudioPattern;
    QVERIFY(Explore(w, folder));

    int boxes = 0;
    QTimer watcher;
    connect(&watcher, &QTimer::timeout, this, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++boxes;
            box->accept();
        }
    });
    watcher.start(20);
    QStringList played;
    connect(&p.player, &MediaPlayer::MediaChange, this,
            [&](const MediaItem& item) { played << GetFileName(item.sourceURL); });

    // Play-all goes past the files that fail, one message at most for each.
    p.choose("REPRODUCIR TODO");
    QTRY_VERIFY_WITH_TIMEOUT(played.contains("d bien.mp3"), kTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(p.player.playState(), PlayState::Stopped, kTimeoutMs);
    QTest::qWait(300);
    QVERIFY(boxes >= 1 && boxes <= 3);

    // One failing file started alone is told once; the timer does not retry it.
    boxes = 0;
    p.choose("b roto.mp3");
    QTRY_COMPARE_WITH_TIMEOUT(boxes, 1, kTimeoutMs);
    for (int tick = 0; tick < 3; ++tick)
        Timer1_Timer(w);
    QTest::qWait(300);
    QCOMPARE(boxes, 1);
}

QTEST_MAIN(TestPlayback)
#include "tst_playback.moc"
