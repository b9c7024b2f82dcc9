// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <functional>
#include <optional>

class QDBusPendingCall;

// Keeps the television lit and the machine awake while asked to, through the desktop's
// session bus (org.freedesktop.ScreenSaver) and, on X, the X server's own screensaver (the
// only one a bare X server has, which also holds off its power saving), and logind's sleep
// inhibitor on the system bus.
// The services are asked without waiting for them, so a slow bus never holds up the screen.
// Where a service does not answer, nothing is held and that is said once. A hold ends with
// the program too: both services let go of a client that leaves the bus, and the sleep
// inhibitor's lock closes with the process.
class WakeHolds : public QObject {
    Q_OBJECT
public:
    explicit WakeHolds(QObject* parent = nullptr);
    ~WakeHolds() override;

    // The screen kept from blanking, the machine kept from sleeping; each let go when false.
    void hold(bool screen, bool sleep);

    bool holdsScreen() const { return m_screenCookie.has_value(); }
    bool holdsSleep() const { return m_sleepLock.isValid(); }
    bool holdsXScreenSaver() const { return m_xSuspended; }

private:
    void settleScreen();
    void settleSleep();
    void settleXScreenSaver();
    void whenAnswered(const QDBusPendingCall& call, void (WakeHolds::*settle)(),
                      const std::function<void(const QDBusPendingCall&)>& take);

    bool m_wantScreen = false;
    bool m_wantSleep = false;
    bool m_screenAsked = false; // an Inhibit call is on its way
    bool m_sleepAsked = false;
    bool m_screenRefused = false; // said once, then not asked again
    bool m_sleepRefused = false;
    std::optional<uint> m_screenCookie;
    QDBusUnixFileDescriptor m_sleepLock;
    bool m_xSuspended = false;
};
