// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/playback.h"
#include "platform/filenames.h"
#include "platform/filesystem.h"
#include "platform/mpvplayer.h"
#include "support/fakedrives.h"
#include "support/files.h"
#include "support/oddnames.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <mpv/client.h>
#include <unistd.h>

namespace {

QString data(const char* name)
{
    return QStringLiteral(TEST_DATA_DIR "/") + QString::fromUtf8(name);
}

MpvSettings silent()
{
    return MpvSettings{QStringLiteral("null"), QStringLiteral("null"), QString()};
}

constexpr int kLoadTimeoutMs = 10000;

} // namespace

class TestMpvPlayer : public QObject {
    Q_OBJECT
private slots:
    void playsAPlaylistAndTellsEachItem();
    void opensAnyFileName_data() { addOddNameRows(); }
    void opensAnyFileName();
    void pausesEndsAndRestarts();
    void requestsWhileOpeningApplyOnceOpen_data();
    void requestsWhileOpeningApplyOnceOpen();
    void readsTheProgramsMpvConf();
    void choosesTracksAndResumes();
    void decodesInHardwareWhereThereIsACard_data();
    void decodesInHardwareWhereThereIsACard();
    void namesOpticalDrives();
    void timeTexts_data();
    void timeTexts();

private:
    FakeDrives m_drives;
};

void TestMpvPlayer::playsAPlaylistAndTellsEachItem()
{
    // Machines without a sound card fall back to no audio output instead of refusing media.
    MpvPlayer player(m_drives, MpvSettings{QStringLiteral("null"), QString(), QString()});
    QStringList told;
    QSignalSpy streams(&player, &MediaPlayer::NewStream);
    connect(&player, &MediaPlayer::MediaChange, this, [&](const CurrentMedia& media) {
        // Its new stream comes first: the count of them leads the line.
        told << QStringLiteral("%8 %1 %2 [%3|%4|%5] %6 s, playing %7")
                    .arg(GetFileName(media.sourceURL), media.mediaType, media.artist, media.title,
                         media.album)
                    .arg(qRound(media.duration))
                    .arg(player.playState() == PlayState::Playing)
                    .arg(streams.size());
        // Only the ends of the items are needed, and the media play in real time.
        player.setCurrentPosition(media.duration - 0.3);
    });
    for (const char* file : {"tagged.mp3", "cover.mp3", "clip.mpg"})
        player.appendItem(player.newMedia(data(file)));
    player.play();
    QTRY_COMPARE_WITH_TIMEOUT(player.playState(), PlayState::Stopped, kLoadTimeoutMs);
    QCOMPARE(told, QStringList({
                       "1 tagged.mp3 audio [Test Artist|Test Title|Test Album] 2 s, playing 1",
                       // A cover picture is no film.
                       "2 cover.mp3 audio [Cover Artist|With Cover|] 2 s, playing 1",
                       "3 clip.mpg video [||] 2 s, playing 1",
                   }));

    // A new playlist replaces the old one whole; an item that cannot be played is told, and
    // leaves nothing open.
    QSignalSpy errors(&player, &MediaPlayer::Error);
    player.clearPlaylist();
    player.appendItem(player.newMedia(data("broken.mp3")));
    player.play();
    QVERIFY(errors.wait(kLoadTimeoutMs));
    QCOMPARE(errors.front().at(0).toString(), data("broken.mp3"));
    QCOMPARE(told.size(), 3);
    QCOMPARE(player.playState(), PlayState::Undefined);
    QVERIFY(!player.currentMedia());
}

void TestMpvPlayer::opensAnyFileName()
{
    QFETCH(QByteArray, stem);
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.path()) + '/' + stem + ".mp3";
    QVERIFY(writeFileAt(path, readFile(data("tagged.mp3"))));
    MpvPlayer player(m_drives, silent());
    QSignalSpy changes(&player, &MediaPlayer::MediaChange);
    player.setURL(fileNameFromBytes(path));
    QVERIFY(changes.wait(kLoadTimeoutMs));
    QCOMPARE(fileNameBytes(player.currentMedia()->sourceURL), path);
    // QTemporaryDir cannot remove a name that is not UTF-8.
    QCOMPARE(::unlink(path.constData()), 0);
}

void TestMpvPlayer::pausesEndsAndRestarts()
{
    MpvPlayer player(m_drives, silent());
    QSignalSpy streams(&player, &MediaPlayer::NewStream);
    // Every state the player passes through is told as it comes, none twice.
    QList<PlayState> told;
    connect(&player, &MediaPlayer::playStateChanged, this, [&] { told << player.playState(); });
    player.setURL(data("tagged.mp3"));
    QVERIFY(streams.wait(kLoadTimeoutMs));

    player.pause();
    QVERIFY(player.setCurrentPosition(1.0));
    QTest::qWait(300);
    // Without a sound device the position lags the seek target by mpv's audio buffer.
    const double settled = player.currentPosition().value_or(-1);
    QVERIFY2(qAbs(settled - 1.0) < 0.3, qPrintable(QString::number(settled)));
    QTest::qWait(300);
    QVERIFY2(player.currentPosition() == settled, "a paused player moved on");

    player.play();
    QTRY_COMPARE_WITH_TIMEOUT(player.playState(), PlayState::Stopped, kLoadTimeoutMs);
    // The ended item stays readable, as the automatic next file needs it.
    QCOMPARE(player.currentMedia()->sourceURL, data("tagged.mp3"));
    QCOMPARE(player.currentPosition(), std::optional<double>(0.0));
    QVERIFY(!player.setCurrentPosition(1.0));
    player.pause(); // nothing to pause: it stays stopped

    // Play opens it again; stop keeps it.
    player.play();
    QVERIFY(streams.wait(kLoadTimeoutMs));
    player.stop();
    QCOMPARE(player.currentMedia()->sourceURL, data("tagged.mp3"));
    QCOMPARE(told,
             QList<PlayState>({PlayState::Transitioning, PlayState::Playing, PlayState::Paused,
                               PlayState::Playing, PlayState::Stopped, PlayState::Transitioning,
                               PlayState::Playing, PlayState::Stopped}));
}

void TestMpvPlayer::requestsWhileOpeningApplyOnceOpen_data()
{
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<PlayState>("state");
    QTest::newRow("stop") << QStringList{"stop"} << PlayState::Stopped;
    QTest::newRow("pause") << QStringList{"pause"} << PlayState::Paused;
    QTest::newRow("pause, then play") << QStringList{"pause", "play"} << PlayState::Playing;
}

void TestMpvPlayer::requestsWhileOpeningApplyOnceOpen()
{
    QFETCH(QStringList, requests);
    QFETCH(PlayState, state);
    MpvPlayer player(m_drives, silent());
    QSignalSpy streams(&player, &MediaPlayer::NewStream);
    player.setURL(data("clip.mpg"));
    for (const QString& request : std::as_const(requests)) {
        if (request == u"stop")
            player.stop();
        else if (request == u"pause")
            player.pause();
        else
            player.play();
    }
    QVERIFY(streams.wait(kLoadTimeoutMs));
    QTest::qWait(400);
    QCOMPARE(player.playState(), state);
    const double position = player.currentPosition().value_or(-1);
    QVERIFY2(state == PlayState::Playing ? position > 0.1 : position < 0.1,
             qPrintable(QString::number(position)));
}

void TestMpvPlayer::readsTheProgramsMpvConf()
{
    QTemporaryDir folder;
    const QString conf = folder.filePath("mpv.conf");
    QVERIFY(writeFile(conf, "# the living-room setup\nvolume=55\nno-such-option=1\n"
                            "idle=no\nvo=gpu\nterminal=yes\nkeep-open=yes\n"));
    MpvSettings settings = silent();
    settings.configFile = conf;
    // A request mpv refuses is logged, and the rest stands, this machine's way of decoding
    // films among it.
    settings.extraOptions = {{"no-such-option", "1"}};
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^option no-such-option: "));
    MpvPlayer player(m_drives, settings);

    const auto option = [&](const char* name) {
        char* value = mpv_get_property_string(player.handle().raw(), name);
        const QString text = QString::fromUtf8(value);
        mpv_free(value);
        return text;
    };
    QCOMPARE(option("volume"), QStringLiteral("55.000000"));
    QCOMPARE(player.handle().getString("hwdec"), defaultHardwareDecoding());
    // What the program relies on stays as it set it.
    QCOMPARE(option("idle"), QStringLiteral("yes"));
    QCOMPARE(option("vo"), QStringLiteral("null"));
    QCOMPARE(option("terminal"), QStringLiteral("no"));
    QCOMPARE(option("keep-open"), QStringLiteral("no"));
}

void TestMpvPlayer::choosesTracksAndResumes()
{
    // A film heard in English (5.1) or Spanish, subtitled in Spanish or (forced) in English.
    MpvPlayer player(m_drives, silent());
    Playback playback(player);
    QSignalSpy changes(&player, &MediaPlayer::MediaChange);
    const auto playing = [&player] {
        return QStringLiteral("a%1 s%2")
            .arg(player.selectedTrack("audio").value_or(-1))
            .arg(player.selectedTrack("sub").value_or(-1));
    };
    playback.playFile(data("tracks.mkv"));
    QVERIFY(changes.wait(kLoadTimeoutMs));
    QTRY_COMPARE(playing(), QStringLiteral("a2 s0"));
    const QStringList notes = {"Subtítulos: Español", "Subtítulos: Inglés (forzados)",
                               "Sin subtítulos", "Audio: Inglés 5.1"};
    const QStringList after = {"a2 s1", "a2 s2", "a2 s0", "a1 s0"};
    for (int i = 0; i < notes.size(); ++i) {
        QCOMPARE(i < 3 ? playback.nextSubtitles() : playback.nextAudio(), notes.at(i));
        QTRY_COMPARE(playing(), after.at(i));
    }

    playback.playFile(data("tracks.mkv"), StartPoint{100, 1, 2});
    QVERIFY(changes.wait(kLoadTimeoutMs));
    QTRY_COMPARE(playing(), QStringLiteral("a1 s2"));
    QTRY_VERIFY(std::abs(player.currentPosition().value_or(0) - 100) < 1);

    // An mpv.conf that chooses tracks itself keeps its choice.
    QTemporaryDir folder;
    MpvSettings english = silent();
    english.configFile = folder.filePath("mpv.conf");
    QVERIFY(writeFile(english.configFile, "alang=eng\n"));
    MpvPlayer own(m_drives, english);
    QSignalSpy loaded(&own, &MediaPlayer::MediaChange);
    own.setURL(data("tracks.mkv"));
    QVERIFY(loaded.wait(kLoadTimeoutMs));
    QTRY_COMPARE(own.selectedTrack("audio"), std::optional<qint64>(1));
}

void TestMpvPlayer::decodesInHardwareWhereThereIsACard_data()
{
    QTest::addColumn<QStringList>("devices");
    QTest::addColumn<QString>("hwdec");
    QTest::newRow("a card without a render node") << QStringList{"dri/card0", "tty0"} << "no";
    QTest::newRow("a render node") << QStringList{"dri/card0", "dri/renderD128"} << "auto-safe";
    QTest::newRow("an NVIDIA card") << QStringList{"nvidia0", "nvidiactl"} << "auto-safe";
}

void TestMpvPlayer::decodesInHardwareWhereThereIsACard()
{
    QFETCH(QStringList, devices);
    QTemporaryDir dev;
    for (const QString& device : devices)
        QVERIFY(writeFile(dev.filePath(device), ""));
    QTEST(QString::fromLatin1(defaultHardwareDecoding(dev.path())), "hwdec");
}

void TestMpvPlayer::namesOpticalDrives()
{
    FakeDrives drives;
    drives.drives = {OpticalDrive{u'D', false, {}, {}}, OpticalDrive{u'E', true, "FILMS", "/m"}};
    MpvPlayer player(drives, silent());
    QCOMPARE(player.opticalDriveSpecifier(1), std::optional<QString>("E:"));
    QVERIFY(!player.opticalDriveSpecifier(2));
    drives.failing = true;
    QVERIFY(!player.opticalDriveSpecifier(0));
}

void TestMpvPlayer::timeTexts_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("last second of an hour") << 3599.9 << "59:59";
    QTest::newRow("an hour") << 3600.0 << "1:00:00";
    QTest::newRow("not a number") << std::nan("") << "00:00";
}

void TestMpvPlayer::timeTexts()
{
    QFETCH(double, seconds);
    QTEST(formatMediaTime(seconds), "text");
}

QTEST_GUILESS_MAIN(TestMpvPlayer)
#include "tst_mpvplayer.moc"
