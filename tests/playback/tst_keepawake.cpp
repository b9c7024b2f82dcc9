// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/keepawake.h"
#include "media/playback.h"
#include "platform/wakeholds.h"
#include "support/fakeplayer.h"

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QTest>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

// The desktop's screensaver: counts the inhibitions that are in force.
class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QList<uint> active;
    uint next = 7;

public slots:
    uint Inhibit(const QString&, const QString&)
    {
        active << next;
        return next++;
    }
    void UnInhibit(uint cookie) { active.removeOne(cookie); }
};

// logind's manager: hands out the write end of a pipe as the lock, so the test sees the
// lock closed as the end of the file on the read end; a lock for anything but blocking sleep
// and idle is no lock.
class FakeLogin : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    int readEnd = -1;

public slots:
    QDBusUnixFileDescriptor Inhibit(const QString& what, const QString&, const QString&,
                                    const QString& mode)
    {
        int ends[2];
        if (what != u"sleep:idle" || mode != u"block" || pipe2(ends, O_CLOEXEC) != 0)
            return {};
        if (readEnd >= 0)
            close(readEnd);
        readEnd = ends[0];
        QDBusUnixFileDescriptor lock(ends[1]); // a copy of its own
        close(ends[1]);
        return lock;
    }
};

// Whether every copy of the lock handed out last has been closed.
bool lockClosed(int readEnd)
{
    pollfd wait{readEnd, POLLIN, 0};
    return poll(&wait, 1, 0) == 1 && (wait.revents & POLLHUP);
}

} // namespace

// Runs on a session bus of its own (dbus-run-session), which also stands for the system bus.
class TestKeepAwake : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void holdsFollowPlayback_data();
    void holdsFollowPlayback();
    void quittingLetsGo();
    void withoutServicesNothingIsHeld();

private:
    QDBusConnection m_services = QDBusConnection(QString());
    FakeScreenSaver m_screenSaver;
    FakeLogin m_login;
    FakePlayer m_player;
    Playback m_playback{m_player};
    WakeHolds* m_holds = nullptr;
};

void TestKeepAwake::initTestCase()
{
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", qgetenv("DBUS_SESSION_BUS_ADDRESS"));
    m_services = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "services");
    QVERIFY(m_services.registerObject("/org/freedesktop/ScreenSaver", &m_screenSaver,
                                      QDBusConnection::ExportAllSlots));
    QVERIFY(m_services.registerService("org.freedesktop.ScreenSaver"));
    QVERIFY(m_services.registerObject("/org/freedesktop/login1", &m_login,
                                      QDBusConnection::ExportAllSlots));
    QVERIFY(m_services.registerService("org.freedesktop.login1"));
    m_holds = new WakeHolds(this);
    keepAwakeWhilePlaying(m_playback, *m_holds);
}

void TestKeepAwake::holdsFollowPlayback_data()
{
    QTest::addColumn<PlayState>("state");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("screen");
    QTest::addColumn<bool>("sleep");
    // Each row follows the one before, as playback goes on.
    QTest::newRow("a film plays") << PlayState::Playing << "video" << true << true;
    QTest::newRow("paused") << PlayState::Paused << "video" << false << false;
    QTest::newRow("resumed") << PlayState::Playing << "video" << true << true;
    QTest::newRow("a song takes its place") << PlayState::Playing << "audio" << false << true;
    QTest::newRow("the song ends") << PlayState::Stopped << "audio" << false << false;
}

void TestKeepAwake::holdsFollowPlayback()
{
    QFETCH(PlayState, state);
    QFETCH(QString, kind);
    QFETCH(bool, screen);
    QFETCH(bool, sleep);
    m_player.state = state;
    m_player.media = CurrentMedia{"/a", kind, {}, {}, {}, 60};
    emit m_player.playStateChanged();
    QTRY_COMPARE(m_screenSaver.active.size(), screen ? 1 : 0);
    QTRY_COMPARE(m_holds->holdsSleep(), sleep);
    QTRY_COMPARE(lockClosed(m_login.readEnd), !sleep);
}

void TestKeepAwake::quittingLetsGo()
{
    m_player.state = PlayState::Playing;
    m_player.media = CurrentMedia{"/a", "video", {}, {}, {}, 60};
    emit m_player.playStateChanged();
    QTRY_VERIFY(m_screenSaver.active.size() == 1 && m_holds->holdsSleep());
    delete std::exchange(m_holds, nullptr);
    QTRY_VERIFY(m_screenSaver.active.isEmpty());
    QTRY_VERIFY(lockClosed(m_login.readEnd));
}

void TestKeepAwake::withoutServicesNothingIsHeld()
{
    m_services.unregisterService("org.freedesktop.ScreenSaver");
    m_services.unregisterService("org.freedesktop.login1");
    WakeHolds holds;
    holds.hold(true, true);
    QTest::qWait(300);
    QVERIFY(!holds.holdsScreen());
    QVERIFY(!holds.holdsSleep());
}

QTEST_GUILESS_MAIN(TestKeepAwake)
#include "tst_keepawake.moc"
