#include "playback/mpris.h"
#include "support/librarytree.h"
#include "support/testwindow.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusReply>
#include <QTest>

namespace {

const QString kService = QStringLiteral("org.mpris.MediaPlayer2.sofavio");
const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayer = QStringLiteral("org.mpris.MediaPlayer2.Player");

// A second connection to the bus, as a desktop's media controls would be; calls wait for
// their answer while the window's event loop keeps running.
class Remote {
public:
    Remote() : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, "remote")) {}

    QDBusMessage call(const QString& interface, const QString& method, const QVariantList& args = {})
    {
        QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, interface, method);
        message.setArguments(args);
        QDBusPendingCallWatcher watcher(m_bus.asyncCall(message));
        // A call left unanswered fails where its answer is checked.
        (void)QTest::qWaitFor([&] { return watcher.isFinished(); }, 5000);
        return watcher.reply();
    }

    QVariant property(const QString& name)
    {
        const QDBusMessage reply = call("org.freedesktop.DBus.Properties", "Get", {kPlayer, name});
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }

    bool connected() const { return m_bus.isConnected(); }

private:
    QDBusConnection m_bus;
};

} // namespace

class TestMpris : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void remoteControlsThePlayer();

private:
    TestWindow m_t;
    MprisService* m_service = nullptr;
};

void TestMpris::initTestCase()
{
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
    m_t.create();
    m_service = new MprisService(*m_t.window);
    QVERIFY(m_service->publish());
}

void TestMpris::remoteControlsThePlayer()
{
    const LibraryTree tree({"m/a.mp3", "m/b.mp3"});
    Remote remote;
    QVERIFY(remote.connected());
    FakePlayer& player = m_t.player;

    QCOMPARE(remote.property("PlaybackStatus").toString(), QStringLiteral("Stopped"));
    QCOMPARE(remote.call("org.freedesktop.DBus.Properties", "Get",
                         {QStringLiteral("org.mpris.MediaPlayer2"), QStringLiteral("Identity")})
                 .arguments().value(0).value<QDBusVariant>().variant().toString(),
             QStringLiteral("Sofavio"));

    player.media = CurrentMedia{tree.path("m/a.mp3"), "audio", "Artista", "Canción", "Disco", 125.5};
    player.state = PlayState::Playing;
    player.position = 30;
    emit player.MediaChange(MediaItem{tree.path("m/a.mp3")});
    QCOMPARE(remote.property("PlaybackStatus").toString(), QStringLiteral("Playing"));
    const QVariantMap metadata = qdbus_cast<QVariantMap>(remote.property("Metadata"));
    QCOMPARE(metadata.value("xesam:title").toString(), QStringLiteral("Canción"));
    QCOMPARE(metadata.value("xesam:artist").toStringList(), QStringList({"Artista"}));
    QCOMPARE(metadata.value("xesam:album").toString(), QStringLiteral("Disco"));
    QCOMPARE(metadata.value("mpris:length").toLongLong(), 125500000LL);
    QCOMPARE(remote.property("Position").toLongLong(), 30000000LL);

    remote.call(kPlayer, "Pause");
    remote.call(kPlayer, "PlayPause");
    remote.call(kPlayer, "Play");
    QCOMPARE(player.calls, QStringList({"pause", "pause", "play"}));

    remote.call(kPlayer, "Seek", {qlonglong(15000000)});
    QCOMPARE(*player.position, 45.0);
    const QVariant track = metadata.value("mpris:trackid");
    remote.call(kPlayer, "SetPosition", {track, qlonglong(5000000)});
    QCOMPARE(*player.position, 5.0);
    remote.call(kPlayer, "SetPosition",
                {QVariant::fromValue(QDBusObjectPath("/org/sofavio/track/999")), qlonglong(9000000)});
    QCOMPARE(*player.position, 5.0);

    // Next and previous go through the folder's songs as the remote's buttons do.
    player.calls.clear();
    QVERIFY(m_t.window->playback.File2.setPath(tree.path("m")));
    m_t.window->state.TrackIndex = 0;
    remote.call(kPlayer, "Next");
    QCOMPARE(player.calls, QStringList({"URL " + tree.path("m/b.mp3"), "play"}));

    remote.call(kPlayer, "Stop");
    QVERIFY(m_t.window->state.StoppedByUser);
    QCOMPARE(player.calls.last(), QStringLiteral("stop"));
}

QTEST_MAIN(TestMpris)
#include "tst_mpris.moc"
