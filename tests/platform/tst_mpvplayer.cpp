#include "platform/mpvplayer.h"
#include "support/fakedrives.h"
#include "platform/filenames.h"
#include "support/files.h"
#include "support/oddnames.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <mpv/client.h>

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
    void reportsTheOpenedMedia_data();
    void reportsTheOpenedMedia();
    void opensAnyFileName_data() { addOddNameRows(); }
    void opensAnyFileName();
    void pausesResumesAndEnds();
    void refusedRequestsAreLogged();
    void stopKeepsTheItemAndPlayRestarts();
    void requestsWhileOpeningApplyOnceOpen_data();
    void requestsWhileOpeningApplyOnceOpen();
    void unplayableFileRaisesOneError();
    void playlistPlaysItemsInOrder();
    void playsWithTheSystemAudioOrWithout();
    void readsTheProgramsMpvConf();
    void decodesInHardwareWhereThereIsACard_data();
    void decodesInHardwareWhereThereIsACard();
    void namesOpticalDrives();
    void timeTexts_data();
    void timeTexts();

private:
    FakeDrives m_drives;
};

void TestMpvPlayer::reportsTheOpenedMedia_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("mediaType");
    QTest::addColumn<QString>("artist");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("album");
    QTest::addColumn<QString>("duration");

    QTest::newRow("tagged mp3") << data("tagged.mp3") << "audio" << "Test Artist" << "Test Title"
                                << "Test Album" << "00:02";
    QTest::newRow("mp3 with a cover picture") << data("cover.mp3") << "audio" << "Cover Artist"
                                              << "With Cover" << "" << "00:02";
    QTest::newRow("video") << data("clip.mpg") << "video" << "" << "" << "" << "00:02";
}

void TestMpvPlayer::reportsTheOpenedMedia()
{
    QFETCH(QString, file);
    MpvPlayer player(m_drives, silent());
    QVERIFY(!player.currentMedia());
    QCOMPARE(player.playState(), PlayState::Undefined);

    QStringList order;
    connect(&player, &MediaPlayer::NewStream, this, [&] { order << "NewStream"; });
    connect(&player, &MediaPlayer::MediaChange, this,
            [&](const MediaItem& item) { order << "MediaChange " + item.sourceURL; });
    player.setURL(file);
    QTRY_COMPARE_WITH_TIMEOUT(order.size(), 2, kLoadTimeoutMs);
    QCOMPARE(order, QStringList({"NewStream", "MediaChange " + file}));

    const auto media = player.currentMedia();
    QVERIFY(media);
    QCOMPARE(media->sourceURL, file);
    QTEST(media->getItemInfo("MediaType"), "mediaType");
    QTEST(media->getItemInfo("Artist"), "artist");
    QTEST(media->getItemInfo("Title"), "title");
    QTEST(media->getItemInfo("Album"), "album");
    QCOMPARE(media->getItemInfo("Genre"), QString());
    QTEST(media->durationString(), "duration");
    QVERIFY(qAbs(media->duration - 2.0) < 0.2);
    QCOMPARE(player.playState(), PlayState::Playing);
}

void TestMpvPlayer::opensAnyFileName()
{
    QFETCH(QByteArray, stem);
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.path()) + '/' + stem + ".mp3";
    QVERIFY(writeFileAt(path, readFile(data("tagged.mp3"))));
    MpvPlayer player(m_drives, silent());
    QSignalSpy changes(&player, &MediaPlayer::MediaChange);
    QSignalSpy errors(&player, &MediaPlayer::Error);
    player.setURL(fileNameFromBytes(path));
    QTRY_COMPARE_WITH_TIMEOUT(changes.size(), 1, kLoadTimeoutMs);
    QCOMPARE(errors.size(), 0);
    QCOMPARE(fileNameBytes(player.currentMedia()->sourceURL), path);
    QCOMPARE(player.currentMedia()->getItemInfo("Title"), QStringLiteral("Test Title"));
}

void TestMpvPlayer::pausesResumesAndEnds()
{
    MpvPlayer player(m_drives, silent());
    QSignalSpy changes(&player, &MediaPlayer::MediaChange);
    // Every state the player passes through is told as it comes, none twice.
    QList<PlayState> told;
    connect(&player, &MediaPlayer::playStateChanged, this, [&] { told << player.playState(); });
    player.setURL(data("tagged.mp3"));
    QVERIFY(changes.wait(kLoadTimeoutMs));

    player.pause();
    QCOMPARE(player.playState(), PlayState::Paused);
    QVERIFY(player.setCurrentPosition(1.0));
    QTest::qWait(300);
    // Without a sound device the position lags the seek target by mpv's audio buffer.
    const double settled = player.currentPosition().value_or(-1);
    QVERIFY2(qAbs(settled - 1.0) < 0.3, qPrintable(QString::number(settled)));
    QVERIFY(player.currentPositionString());
    QTest::qWait(300);
    QVERIFY2(player.currentPosition() == settled, "a paused player moved on");

    player.play();
    QCOMPARE(player.playState(), PlayState::Playing);
    QTRY_COMPARE_WITH_TIMEOUT(player.playState(), PlayState::Stopped, kLoadTimeoutMs);
    // The ended item stays readable, as the automatic next file needs it.
    QVERIFY(player.currentMedia());
    QCOMPARE(player.currentMedia()->mediaType, QStringLiteral("audio"));
    QCOMPARE(player.currentPosition(), std::optional<double>(0.0));
    player.pause();
    QCOMPARE(player.playState(), PlayState::Stopped);
    QCOMPARE(told, QList<PlayState>({PlayState::Transitioning, PlayState::Playing,
                                     PlayState::Paused, PlayState::Playing, PlayState::Stopped}));
}

void TestMpvPlayer::refusedRequestsAreLogged()
{
    MpvSettings settings = silent();
    settings.extraOptions = {{"no-such-option", "1"}};
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^option no-such-option: "));
    const MpvPlayer player(m_drives, settings);
}

void TestMpvPlayer::stopKeepsTheItemAndPlayRestarts()
{
    MpvPlayer player(m_drives, silent());
    QSignalSpy streams(&player, &MediaPlayer::NewStream);
    player.setURL(data("clip.mpg"));
    QVERIFY(streams.wait(kLoadTimeoutMs));

    player.stop();
    QCOMPARE(player.playState(), PlayState::Stopped);
    QCOMPARE(player.currentMedia()->sourceURL, data("clip.mpg"));
    QVERIFY(!player.setCurrentPosition(1.0));

    player.play();
    QVERIFY(streams.wait(kLoadTimeoutMs));
    QCOMPARE(player.playState(), PlayState::Playing);
    QVERIFY(player.currentPosition().value_or(99) < 1.5);
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
    QCOMPARE(player.playState(), PlayState::Transitioning);
    for (const QString& request : std::as_const(requests)) {
        if (request == u"stop")
            player.stop();
        else if (request == u"pause")
            player.pause();
        else
            player.play();
    }
    QVERIFY(streams.wait(kLoadTimeoutMs));
    QCOMPARE(player.playState(), state);
    QTest::qWait(400);
    QCOMPARE(player.playState(), state);
    const double position = player.currentPosition().value_or(-1);
    QVERIFY2(state == PlayState::Playing ? position > 0.1 : position < 0.1,
             qPrintable(QString::number(position)));
}

void TestMpvPlayer::unplayableFileRaisesOneError()
{
    MpvPlayer player(m_drives, silent());
    QSignalSpy errors(&player, &MediaPlayer::Error);
    QSignalSpy streams(&player, &MediaPlayer::NewStream);
    player.setURL(data("broken.mp3"));
    QVERIFY(errors.wait(kLoadTimeoutMs));
    QTest::qWait(200);
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors.front().at(0).toString(), data("broken.mp3"));
    QVERIFY(!errors.front().at(1).toString().isEmpty());
    QCOMPARE(streams.size(), 0);
    QCOMPARE(player.playState(), PlayState::Undefined);
    QVERIFY(!player.currentMedia());
}

void TestMpvPlayer::playlistPlaysItemsInOrder()
{
    MpvPlayer player(m_drives, silent());
    QStringList played;
    connect(&player, &MediaPlayer::MediaChange, this,
            [&](const MediaItem& item) { played << item.sourceURL; });
    player.clearPlaylist();
    player.appendItem(player.newMedia(data("tagged.mp3")));
    player.appendItem(player.newMedia(data("cover.mp3")));
    QTest::qWait(100);
    QVERIFY2(played.isEmpty(), "appending started playback");
    player.play();
    QTRY_COMPARE_WITH_TIMEOUT(played.size(), 2, kLoadTimeoutMs);
    QCOMPARE(played, QStringList({data("tagged.mp3"), data("cover.mp3")}));
    QTRY_COMPARE_WITH_TIMEOUT(player.playState(), PlayState::Stopped, kLoadTimeoutMs);
    QCOMPARE(played.size(), 2);

    // A new playlist replaces the old one whole.
    player.clearPlaylist();
    player.appendItem(player.newMedia(data("clip.mpg")));
    player.play();
    QTRY_COMPARE_WITH_TIMEOUT(played.size(), 3, kLoadTimeoutMs);
    QCOMPARE(played.last(), data("clip.mpg"));
    QTRY_COMPARE_WITH_TIMEOUT(player.playState(), PlayState::Stopped, kLoadTimeoutMs);
    QTest::qWait(200);
    QCOMPARE(played.size(), 3);
}

void TestMpvPlayer::playsWithTheSystemAudioOrWithout()
{
    // Machines without a sound card fall back to no audio output instead of refusing media.
    MpvPlayer player(m_drives, MpvSettings{QStringLiteral("null"), QString(), QString()});
    QSignalSpy errors(&player, &MediaPlayer::Error);
    QSignalSpy streams(&player, &MediaPlayer::NewStream);
    player.setURL(data("clip.mpg"));
    QVERIFY(streams.wait(kLoadTimeoutMs));
    QCOMPARE(errors.size(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(player.currentPosition().value_or(0) > 0.2, kLoadTimeoutMs);
}

void TestMpvPlayer::readsTheProgramsMpvConf()
{
    QTemporaryDir folder;
    const QString conf = folder.filePath("mpv.conf");
    QVERIFY(writeFile(conf, "# the living-room setup\nvolume=55\nno-such-option=1\nspeed=1.5\n"
                           "idle=no\nvo=gpu\nterminal=yes\nhwdec=no\nkeep-open=yes\n"));
    MpvSettings settings = silent();
    settings.configFile = conf;
    MpvPlayer player(m_drives, settings);

    double volume = 0;
    double speed = 0;
    QCOMPARE(mpv_get_property(player.handle(), "volume", MPV_FORMAT_DOUBLE, &volume), 0);
    QCOMPARE(mpv_get_property(player.handle(), "speed", MPV_FORMAT_DOUBLE, &speed), 0);
    QCOMPARE(volume, 55.0);
    QCOMPARE(speed, 1.5);
    // What the program relies on stays as it set it.
    const auto option = [&](const char* name) {
        char* value = mpv_get_property_string(player.handle(), name);
        const QString text = QString::fromUtf8(value);
        mpv_free(value);
        return text;
    };
    QCOMPARE(option("hwdec"), QStringLiteral("no"));
    QCOMPARE(option("idle"), QStringLiteral("yes"));
    QCOMPARE(option("vo"), QStringLiteral("null"));
    QCOMPARE(option("terminal"), QStringLiteral("no"));
    QCOMPARE(option("keep-open"), QStringLiteral("no"));

    QSignalSpy streams(&player, &MediaPlayer::NewStream);
    player.setURL(data("tagged.mp3"));
    QVERIFY(streams.wait(kLoadTimeoutMs));
}

void TestMpvPlayer::decodesInHardwareWhereThereIsACard_data()
{
    QTest::addColumn<QStringList>("devices");
    QTest::addColumn<QString>("hwdec");
    QTest::newRow("no graphics card") << QStringList{"null", "tty0"} << "no";
    QTest::newRow("a card without a render node") << QStringList{"dri/card0"} << "no";
    QTest::newRow("a render node") << QStringList{"dri/card0", "dri/renderD128"} << "auto-safe";
    QTest::newRow("an NVIDIA card") << QStringList{"nvidia0", "nvidiactl"} << "auto-safe";
}

void TestMpvPlayer::decodesInHardwareWhereThereIsACard()
{
    QFETCH(QStringList, devices);
    QFETCH(QString, hwdec);
    QTemporaryDir dev;
    for (const QString& device : devices)
        QVERIFY(writeFile(dev.filePath(device), ""));
    QCOMPARE(QString::fromLatin1(defaultHardwareDecoding(dev.path())), hwdec);

    // This machine's own answer is what mpv is given.
    MpvPlayer player(m_drives, silent());
    char* given = mpv_get_property_string(player.handle(), "hwdec");
    QCOMPARE(QByteArray(given), defaultHardwareDecoding());
    mpv_free(given);
}

void TestMpvPlayer::namesOpticalDrives()
{
    FakeDrives drives;
    drives.drives = {OpticalDrive{u'D', false, {}, {}}, OpticalDrive{u'E', true, "FILMS", "/m"}};
    MpvPlayer player(drives, silent());
    QCOMPARE(player.opticalDriveSpecifier(0), std::optional<QString>("D:"));
    QCOMPARE(player.opticalDriveSpecifier(1), std::optional<QString>("E:"));
    QVERIFY(!player.opticalDriveSpecifier(2));
    drives.failing = true;
    QVERIFY(!player.opticalDriveSpecifier(0));
}

void TestMpvPlayer::timeTexts_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("start") << 0.0 << "00:00";
    QTest::newRow("just under a second") << 0.99 << "00:00";
    QTest::newRow("minute and five") << 65.4 << "01:05";
    QTest::newRow("three forty") << 220.0 << "03:40";
    QTest::newRow("last second of an hour") << 3599.9 << "59:59";
    QTest::newRow("an hour") << 3600.0 << "1:00:00";
    QTest::newRow("long film") << 2 * 3600.0 + 5 * 60 + 7 << "2:05:07";
    QTest::newRow("negative") << -3.0 << "00:00";
    QTest::newRow("not a number") << std::nan("") << "00:00";
}

void TestMpvPlayer::timeTexts()
{
    QFETCH(double, seconds);
    QTEST(formatMediaTime(seconds), "text");
}

QTEST_GUILESS_MAIN(TestMpvPlayer)
#include "tst_mpvplayer.moc"
