// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/elements.h"
#include "form/keycodes.h"
#include "keys/windowkeys.h"
#include "media/mediakinds.h"
#include "media/resumestore.h"
#include "menu/folderbrowser.h"
#include "platform/filenames.h"
#include "platform/filesystem.h"
#include "platform/mediatracks.h"
#include "platform/mpvplayer.h"
#include "playback/nowplaying.h"
#include "playback/playall.h"
#include "support/files.h"
#include "support/librarytree.h"
#include "support/menudriver.h"
#include "support/modalanswers.h"
#include "support/testwindow.h"

#include <QLabel>
#include <QTest>

namespace {

constexpr int kTimeoutMs = 10000;

CurrentMedia media(const QString& type, const QString& path = QStringLiteral("/m/a.mp3"))
{
    return CurrentMedia{path, type, "Artista", "Canción", "Disco", 220};
}

using Handler = void (*)(FrmMain&);

} // namespace

Q_DECLARE_METATYPE(Handler)

// The real window over the fake player, made anew for each test (and row); once over the real
// player, on a folder of two good songs with two bad ones between them.
class TestPlayback : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_t = std::make_unique<TestWindow>();
        m_t->create();
    }
    void mediaKindShowsOrHidesTheView_data();
    void mediaKindShowsOrHidesTheView();
    void escapeShowsThePlayerViewTheFirstTime();
    void tickWhilePlaying_data();
    void tickWhilePlaying();
    void tickAfterTheEnd_data();
    void tickAfterTheEnd();
    void unwritableListChangesNothing();
    void badSongsNeverStopTheMusic();
    void resumePoints_data();
    void resumePoints();
    void keepsTheNewestThousandFilms();
    void filmKeepsItsPlace_data();
    void filmKeepsItsPlace();
    void trackKeys_data();
    void trackKeys();

private:
    MainWindow& w() { return *m_t->window; }
    FakePlayer& player() { return m_t->player; }

    std::unique_ptr<TestWindow> m_t;
};

void TestPlayback::mediaKindShowsOrHidesTheView_data()
{
    QTest::addColumn<Handler>("handler");
    QTest::addColumn<QString>("type"); // "-": nothing loaded
    QTest::addColumn<bool>("viewBefore");
    QTest::addColumn<bool>("viewAfter");
    QTest::addColumn<bool>("importScreen"); // on screen, above the player
    const std::pair<const char*, Handler> events[] = {{"NewStream", &MediaPlayer_NewStream},
                                                      {"MediaChange", &MediaPlayer_MediaChange},
                                                      {"Resize", &PicMediaPlayer_Resize}};
    for (const auto& [name, handler] : events) {
        QTest::addRow("%s video", name) << handler << "video" << false << true << false;
        QTest::addRow("%s audio", name) << handler << "audio" << true << false << false;
        QTest::addRow("%s neither", name) << handler << "" << true << true << false;
        QTest::addRow("%s case counts", name) << handler << "Video" << false << false << false;
        QTest::addRow("%s nothing loaded", name) << handler << "-" << true << true << false;
        QTest::addRow("%s video under the import screen", name)
            << handler << "video" << false << true << true;
    }
}

void TestPlayback::mediaKindShowsOrHidesTheView()
{
    QFETCH(Handler, handler);
    QFETCH(QString, type);
    QFETCH(bool, viewBefore);
    QFETCH(bool, importScreen);
    w().playerView.PicMediaPlayer->setVisible(viewBefore);
    w().importScreen.picCopiar->setVisible(importScreen);
    if (type != u"-")
        player().media = media(type);
    handler(w());
    QTEST(!w().playerView.PicMediaPlayer->isHidden(), "viewAfter");
    // The film's own window would cover the import screen; it is back once that closes.
    QCOMPARE(w().playerView.MediaPlayer->isHidden(), importScreen);
    Form_KeyDown(w(), kKeyEscape);
    QVERIFY(!w().playerView.MediaPlayer->isHidden());
    QCOMPARE(w().nowPlaying.LblNowPlaying->text(),
             type == u"-" ? QStringLiteral("No hay Media Disponible")
                          : QStringLiteral("Artista: Canción (Disco)"));
}

void TestPlayback::escapeShowsThePlayerViewTheFirstTime()
{
    // The panel was sized while hidden; its first show must not count it hidden again.
    w().showOnScreen();
    QVERIFY(QTest::qWaitForWindowExposed(&w()));
    player().media = media("audio");
    Form_KeyDown(w(), kKeyEscape);
    QVERIFY(w().playerView.PicMediaPlayer->isVisible());
}

void TestPlayback::tickWhilePlaying_data()
{
    QTest::addColumn<bool>("f2");        // B set at 20 s (A is at 10 s), the repeat on
    QTest::addColumn<QString>("opened"); // a file opened since; empty: none
    QTest::addColumn<double>("position");
    QTest::addColumn<bool>("jumps"); // back to A, playing
    QTest::addColumn<QString>("time");
    QTest::newRow("at B") << true << "" << 20.0 << false << "00:20 / 03:40";
    QTest::newRow("past B") << true << "" << 20.4 << true << "00:10 / 03:40";
    QTest::newRow("repeat off") << false << "" << 25.0 << false << "00:25 / 03:40";
    // The repeat belongs to its file: another one ends it, the same one again keeps it.
    QTest::newRow("another file opened") << true << "/m/b.mp3" << 65.2 << false << "01:05 / 03:40";
    QTest::newRow("the same file again") << true << "/m/a.mp3" << 30.0 << true << "00:10 / 03:40";
}

void TestPlayback::tickWhilePlaying()
{
    QFETCH(bool, f2);
    QFETCH(QString, opened);
    QFETCH(double, position);
    QFETCH(bool, jumps);
    player().media = media("audio", "/m/a.mp3");
    player().position = 20;
    player().state = PlayState::Playing;
    w().playback.MarkA = 10;
    if (f2)
        Form_KeyDown(w(), kKeyF2);
    if (!opened.isEmpty()) {
        player().media = media("audio", opened);
        MediaPlayer_MediaChange(w());
    }
    player().position = position;
    Timer1_Timer(w());
    QCOMPARE(player().calls, jumps ? QStringList{"play"} : QStringList{});
    QCOMPARE(*player().position, jumps ? 10.0 : position);
    QTEST(w().nowPlaying.lblTime->text(), "time");
}

void TestPlayback::tickAfterTheEnd_data()
{
    QTest::addColumn<QString>("ended");      // in a folder of a.mp3, b.mp3, c.mp3 and film.mpg
    QTest::addColumn<bool>("nextBroken");    // b.mp3 cannot be played
    QTest::addColumn<bool>("stoppedByUser"); // before the ticks that follow
    QTest::addColumn<QString>("calls");      // of the player, after the end
    QTest::addColumn<bool>("repeat");
    QTest::newRow("a song: the next one") << "a.mp3" << false << false << "URL b.mp3|play" << false;
    QTest::newRow("the last song: nothing") << "c.mp3" << false << false << "" << false;
    QTest::newRow("a film: nothing") << "film.mpg" << false << false << "" << false;
    QTest::newRow("stopped by the user") << "a.mp3" << false << true << "" << true;
    QTest::newRow("past a song that cannot be played")
        << "a.mp3" << true << false << "URL b.mp3|play|URL c.mp3|play" << false;
    QTest::newRow("stopped at a song that cannot be played")
        << "a.mp3" << true << true << "URL b.mp3|play" << false;
}

void TestPlayback::tickAfterTheEnd()
{
    QFETCH(QString, ended);
    QFETCH(bool, nextBroken);
    QFETCH(bool, stoppedByUser);
    const LibraryTree tree({"m/a.mp3", "m/b.mp3", "m/c.mp3", "m/film.mpg"});
    ModalAnswers answers({});
    // The folder's songs were playing, so a film's end finds a next song there too.
    for (const QString& name : {QStringLiteral("a.mp3"), ended}) {
        player().media = media(name.endsWith(".mpg") ? "video" : "audio", tree.path("m/" + name));
        MediaPlayer_MediaChange(w());
    }
    w().playback.RepeatAB = true;
    player().state = PlayState::Stopped; // it ended by itself
    if (nextBroken) {
        Timer1_Timer(w());
        // b.mp3 cannot be played: the player is left with nothing loaded.
        player().media.reset();
        player().state = PlayState::Undefined;
        emit player().Error(tree.path("m/b.mp3"), QStringLiteral("el archivo no se pudo abrir"));
        QCOMPARE(answers.messages.size(), 1);
    }
    w().playback.StoppedByUser = stoppedByUser;
    // Once for each end, not again at every tick.
    for (int tick = 0; tick < 3; ++tick)
        Timer1_Timer(w());
    QTEST(player().calls.join(u'|').remove(tree.path("m/")), "calls");
    QTEST(w().playback.RepeatAB, "repeat");
}

void TestPlayback::unwritableListChangesNothing()
{
    // The program's folder is a file: nothing can be written in it, even by root.
    const LibraryTree tree({"not-a-folder"});
    MainWindow window(m_t->services(), tree.path("not-a-folder"));
    player().playlist = {MediaItem{"/old.mp3"}};
    ModalAnswers answers({});
    EnqueueAll(window);
    QCOMPARE(answers.messages.size(), 1);
    QVERIFY2(answers.messages.front().startsWith("No se pudo escribir la lista de reproducción"),
             qPrintable(answers.messages.front()));
    QCOMPARE(player().playlist.size(), 1);
    QVERIFY(player().calls.isEmpty());
}

void TestPlayback::badSongsNeverStopTheMusic()
{
    QTemporaryDir folder;
    const QByteArray song = readFile(QStringLiteral(TEST_DATA_DIR "/tagged.mp3"));
    QVERIFY(writeFile(folder.filePath("a.mp3"), song));
    QVERIFY(writeFile(folder.filePath("b roto.mp3"),
                      readFile(QStringLiteral(TEST_DATA_DIR "/broken.mp3"))));
    QVERIFY(writeFile(folder.filePath("c vacío.mp3"), ""));
    QVERIFY(writeFile(folder.filePath("d.mp3"), song));
    // The real player, without sound or picture and faster than real time.
    QStringList played;
    MpvSettings settings;
    settings.audioOutput = QStringLiteral("null");
    settings.extraOptions = {{"untimed", "yes"}, {"ao-null-untimed", "yes"}};
    MpvPlayer mpv(m_t->drives, settings);
    connect(&mpv, &MediaPlayer::MediaChange, this,
            [&](const CurrentMedia& item) { played << GetFileName(item.sourceURL); });
    MainWindow window(Services{mpv, m_t->drives, m_t->launcher, m_t->files},
                      m_t->programFolder.path());
    window.Timer1->start(20); // a tick every 20 ms instead of every second
    window.File1.pattern = kAudioPattern;
    QVERIFY(listFolder(window, folder.path()));
    ModalAnswers answers({});

    // The folder goes on past the songs that cannot be played, telling each.
    QVERIFY(chooseRow(window, "a.mp3"));
    QTRY_COMPARE_WITH_TIMEOUT(played, QStringList({"a.mp3", "d.mp3"}), kTimeoutMs);
    QCOMPARE(answers.messages.size(), 2);
    QVERIFY2(answers.messages.front().startsWith("No se puede reproducir " +
                                                 folder.filePath("b roto.mp3") + ": "),
             qPrintable(answers.messages.front()));
    // After the last song the folder stays finished, however long the timer runs.
    QTRY_COMPARE_WITH_TIMEOUT(mpv.playState(), PlayState::Stopped, kTimeoutMs);
    QTest::qWait(300);
    QCOMPARE(played.size(), 2);
    QCOMPARE(answers.messages.size(), 2);

    // So does play-all, one message for each.
    played.clear();
    QVERIFY(chooseRow(window, "REPRODUCIR TODO"));
    QTRY_COMPARE_WITH_TIMEOUT(played, QStringList({"a.mp3", "d.mp3"}), kTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(mpv.playState(), PlayState::Stopped, kTimeoutMs);
    QTest::qWait(300);
    QCOMPARE(played.size(), 2);
    QCOMPARE(answers.messages.size(), 4);
}

QTEST_MAIN(TestPlayback)
namespace {

QString described(const std::optional<StartPoint>& point)
{
    if (!point)
        return QStringLiteral("none");
    const auto track = [](const std::optional<qint64>& id) {
        return !id               ? QStringLiteral("-")
               : *id == kNoTrack ? QStringLiteral("no")
                                 : QString::number(*id);
    };
    return QStringLiteral("%1 a%2 s%3")
        .arg(point->seconds)
        .arg(track(point->audio), track(point->subtitles));
}

} // namespace

void TestPlayback::resumePoints_data()
{
    QTest::addColumn<QByteArray>("name"); // the film's name on disk, its exact bytes
    QTest::addColumn<double>("duration");
    QTest::addColumn<QList<double>>("positions"); // kept one after another
    QTest::addColumn<QString>("change");          // to the film or the list, after them
    QTest::addColumn<QString>("found");
    const QByteArray film("film.mkv");
    QTest::newRow("kept") << film << 600.0 << QList<double>{62} << ""
                          << "62 a2 sno";
    QTest::newRow("the newest kept") << film << 600.0 << QList<double>{62, 300} << ""
                                     << "300 a2 sno";
    QTest::newRow("the first 30 s") << film << 600.0 << QList<double>{29.9} << ""
                                    << "none";
    QTest::newRow("from 30 s") << film << 600.0 << QList<double>{30} << ""
                               << "30 a2 sno";
    QTest::newRow("under 3 minutes") << film << 179.0 << QList<double>{100} << ""
                                     << "none";
    QTest::newRow("the last 5 % clears it") << film << 600.0 << QList<double>{62, 570} << ""
                                            << "none";
    QTest::newRow("a name that is no UTF-8")
        << QByteArray("pel\355cula.mkv") << 600.0 << QList<double>{62} << ""
        << "62 a2 sno";
    QTest::newRow("another film of that name") << film << 600.0 << QList<double>{62} << "size"
                                               << "none";
    QTest::newRow("the film changed") << film << 600.0 << QList<double>{62} << "time"
                                      << "none";
    QTest::newRow("a damaged list") << film << 600.0 << QList<double>{62} << "damaged"
                                    << "62 a2 sno";
    QTest::newRow("an unreadable list") << film << 600.0 << QList<double>{62} << "folder"
                                        << "none";
}

void TestPlayback::resumePoints()
{
    QFETCH(QByteArray, name);
    QFETCH(double, duration);
    QFETCH(QList<double>, positions);
    QFETCH(QString, change);
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.path()) + '/' + name;
    QVERIFY(writeFileAt(path, "film"));
    const QString film = fileNameFromBytes(path);
    const QString list = dir.filePath("resume.txt");
    for (double position : positions)
        ResumeStore(list).remember(*ResumeStore::identify(film), duration,
                                   StartPoint{position, 2, kNoTrack});
    if (change == u"size")
        QVERIFY(writeFileAt(path, "another film"));
    if (change == u"time") {
        QFile file(film);
        QVERIFY(file.open(QIODevice::Append));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-1),
                                 QFileDevice::FileModificationTime));
    }
    if (change == u"damaged") {
        QFile file(list);
        QVERIFY(file.open(QIODevice::Append));
        file.write("\xff\xfe a b c\n%2Fx 1 2 3 4\n\n%2Fy 1 2 nan 1 x\n");
    }
    if (change == u"folder") {
        QVERIFY(QFile::remove(list));
        QVERIFY(QDir().mkdir(list));
    }
    QTEST(described(ResumeStore(list).find(*ResumeStore::identify(film))), "found");
}

void TestPlayback::keepsTheNewestThousandFilms()
{
    QTemporaryDir dir;
    ResumeStore store(dir.filePath("resume.txt"));
    for (int i = 0; i <= ResumeStore::kMaxFilms; ++i) {
        QVERIFY(writeFile(dir.filePath(QString::number(i)), ""));
        store.remember(*ResumeStore::identify(dir.filePath(QString::number(i))), 600,
                       StartPoint{60});
    }
    const ResumeStore read(dir.filePath("resume.txt"));
    QCOMPARE(described(read.find(*ResumeStore::identify(dir.filePath("0")))),
             QStringLiteral("none"));
    QCOMPARE(described(read.find(*ResumeStore::identify(dir.filePath("1")))),
             QStringLiteral("60 a- s-"));
}

void TestPlayback::filmKeepsItsPlace_data()
{
    QTest::addColumn<QString>("way"); // the film playing is left by
    QTest::addColumn<int>("ticks");   // seconds played before
    QTest::addColumn<QString>("kept");
    QTest::newRow("STOP") << "stop" << 1 << "100 a2 s3";
    QTest::newRow("another item chosen") << "another" << 1 << "100 a2 s3";
    QTest::newRow("the program ending") << "end" << 1 << "100 a2 s3";
    QTest::newRow("failing mid-way") << "error" << 1 << "100 a2 s3";
    QTest::newRow("a power cut, within ten seconds") << "" << 10 << "100 a2 s3";
    QTest::newRow("a power cut, before ten seconds") << "" << 9 << "none";
}

void TestPlayback::filmKeepsItsPlace()
{
    QFETCH(QString, way);
    QFETCH(int, ticks);
    const LibraryTree tree({"Videos/film.mkv", "Videos/otra.mkv"});
    const QString film = tree.path("Videos/film.mkv");
    player().media = media("video", film);
    player().media->duration = 600;
    player().state = PlayState::Playing;
    player().position = 100;
    player().tracks = {{"audio", 2}, {"sub", 3}};
    for (int tick = 0; tick < ticks; ++tick)
        Timer1_Timer(w());
    if (way == u"stop")
        w().playback.stopByUser();
    if (way == u"another")
        w().playback.playFile(tree.path("Videos/otra.mkv"));
    if (way == u"end")
        m_t->window.reset();
    if (way == u"error") {
        ModalAnswers answers({});
        player().media.reset();
        emit player().Error(film, QStringLiteral("el archivo no se pudo abrir"));
    }
    QTEST(described(ResumeStore(m_t->programFolder.filePath("resume.txt"))
                        .find(*ResumeStore::identify(film))),
          "kept");
}

void TestPlayback::trackKeys_data()
{
    QTest::addColumn<QString>("tracks"); // type:language[:channels, "forced" or a title]
    QTest::addColumn<QString>("start");  // the tracks a film starts with, unless asked
    QTest::addColumn<QString>("notes");  // of the subtitle key three times, the audio key twice
    QTest::newRow("original sound, Spanish heard")
        << "audio:eng:6 audio:spa sub:spa sub:eng:forced"
        << "a2 s0"
        << "Subtítulos: Español|Subtítulos: Inglés (forzados)|Sin subtítulos|"
           "Audio: Inglés 5.1|Audio: Español";
    QTest::newRow("English heard: Spanish subtitles")
        << "audio:en sub:fra sub:es"
        << "a1 s2"
        << "Sin subtítulos|Subtítulos: Francés|Subtítulos: Español|Sin más pistas de audio|"
           "Sin más pistas de audio";
    QTest::newRow("Spanish heard: only forced Spanish subtitles")
        << "audio:spa sub:spa sub:spa:forced"
        << "a1 s2"
        << "Sin subtítulos|Subtítulos: Español|Subtítulos: Español (forzados)|"
           "Sin más pistas de audio|Sin más pistas de audio";
    QTest::newRow("nameless tracks") << "audio: audio:xx:Comentario sub:"
                                     << "a1 s0"
                                     << "Subtítulos: Pista 1|Sin subtítulos|Subtítulos: Pista 1|"
                                        "Audio: Comentario|Audio: Pista 1";
    QTest::newRow("no film") << ""
                             << "a- s0"
                             << "||||";
}

void TestPlayback::trackKeys()
{
    QFETCH(QString, tracks);
    CurrentMedia film = media(tracks.isEmpty() ? "audio" : "video", "/m/film.mkv");
    QHash<QString, qint64> count;
    for (const QString& word : tracks.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList parts = word.split(u':');
        const QString extra = parts.value(2);
        film.tracks << MediaTrack{++count[parts[0]],
                                  parts[0],
                                  parts[1],
                                  extra.toInt() || extra == u"forced" ? QString() : extra,
                                  false,
                                  extra == u"forced",
                                  extra.toInt()};
    }
    const StartPoint start = firstTrackChoice(film.tracks);
    QTEST(QStringLiteral("a%1 s%2")
              .arg(start.audio ? QString::number(*start.audio) : QStringLiteral("-"))
              .arg(*start.subtitles),
          "start");
    player().media = film;
    player().state = PlayState::Playing;
    player().tracks = {{"audio", start.audio.value_or(kNoTrack)}, {"sub", *start.subtitles}};
    QStringList notes;
    // The remote's buttons and the keyboard's keys, taking turns.
    for (int key :
         {Qt::Key_Subtitle, Qt::Key_F3, Qt::Key_Subtitle, Qt::Key_AudioCycleTrack, Qt::Key_F4}) {
        Form_KeyDown(w(), keyCode(key));
        const auto* note = w().findChild<QLabel*>(QStringLiteral("TrackNoteText"));
        notes << (note && note->parentWidget()->isVisible() ? note->text() : QString());
    }
    QTEST(notes.join(u'|'), "notes");
}

#include "tst_playback.moc"
