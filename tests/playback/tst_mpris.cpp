// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/mpris.h"
#include "support/testwindow.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QTest>

namespace {

const QString kPlayer = QStringLiteral("org.mpris.MediaPlayer2.Player");

} // namespace

// On a session bus of its own (dbus-run-session): the window's playback as the desktop's
// media controls see and steer it, from a connection of their own.
class TestMpris : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void mediaControlsSteerThePlayer();

private:
    // Calls the window's MPRIS object, waiting for the answer while the event loop runs.
    QDBusMessage call(const QString& interface, const QString& method,
                      const QVariantList& args = {});
    QVariant property(const QString& name);

    QDBusConnection m_desktop = QDBusConnection(QString());
    TestWindow m_t;
};

void TestMpris::initTestCase()
{
    m_desktop = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "desktop");
    m_t.create();
    QVERIFY((new MprisService(m_t.window->playback, m_t.window.get()))->publish());
}

QDBusMessage TestMpris::call(const QString& interface, const QString& method,
                             const QVariantList& args)
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.mpris.MediaPlayer2.sofavio"), QStringLiteral("/org/mpris/MediaPlayer2"),
        interface, method);
    message.setArguments(args);
    QDBusPendingCallWatcher watcher(m_desktop.asyncCall(message));
    // A call left unanswered fails where its answer is checked.
    (void)QTest::qWaitFor([&] { return watcher.isFinished(); }, 5000);
    return watcher.reply();
}

QVariant TestMpris::property(const QString& name)
{
    const QDBusMessage reply = call("org.freedesktop.DBus.Properties", "Get", {kPlayer, name});
    return reply.arguments().value(0).value<QDBusVariant>().variant();
}

void TestMpris::mediaControlsSteerThePlayer()
{
    FakePlayer& player = m_t.player;
    player.state = PlayState::Playing;
    player.media = CurrentMedia{"/m/a.mkv", "video", "Artista", "Canción", "Disco", 125.5};
    player.position = 30;
    emit player.MediaChange(*player.media);
    QCOMPARE(property("PlaybackStatus").toString(), QStringLiteral("Playing"));
    const QVariantMap metadata = qdbus_cast<QVariantMap>(property("Metadata"));
    QCOMPARE(metadata.value("xesam:title").toString(), QStringLiteral("Canción"));
    QCOMPARE(metadata.value("xesam:artist").toStringList(), QStringList({"Artista"}));
    QCOMPARE(metadata.value("xesam:album").toString(), QStringLiteral("Disco"));
    QCOMPARE(metadata.value("mpris:length").toLongLong(), 125500000LL);
    QCOMPARE(property("Position").toLongLong(), 30000000LL);

    call(kPlayer, "Seek", {qlonglong(15000000)});
    QCOMPARE(*player.position, 45.0);
    call(kPlayer, "SetPosition", {metadata.value("mpris:trackid"), qlonglong(5000000)});
    QCOMPARE(*player.position, 5.0);
    call(kPlayer, "SetPosition",
         {QVariant::fromValue(QDBusObjectPath("/org/sofavio/track/999")), qlonglong(9000000)});
    QCOMPARE(*player.position, 5.0);
    call(kPlayer, "Next"); // as the remote's button does: ten seconds on in a film
    QCOMPARE(*player.position, 15.0);

    for (const char* method : {"Pause", "PlayPause", "Play", "Stop"})
        call(kPlayer, method);
    QCOMPARE(player.calls, QStringList({"pause", "pause", "play", "stop"}));
    QVERIFY(m_t.window->playback.StoppedByUser);
}

QTEST_MAIN(TestMpris)
#include "tst_mpris.moc"
