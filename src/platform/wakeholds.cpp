// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wakeholds.h"

#include "platform/logging.h"
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <xcb/screensaver.h>

namespace {

const QString kScreenSaver = QStringLiteral("org.freedesktop.ScreenSaver");

QDBusMessage screenSaverCall(const QString& method, const QVariantList& arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        kScreenSaver, QStringLiteral("/org/freedesktop/ScreenSaver"), kScreenSaver, method);
    call.setArguments(arguments);
    return call;
}

QDBusMessage sleepInhibitCall()
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call.setArguments({QStringLiteral("sleep:idle"), QStringLiteral("Sofavio"),
                       QStringLiteral("Reproduciendo"), QStringLiteral("block")});
    return call;
}

} // namespace

WakeHolds::WakeHolds(QObject* parent) : QObject(parent) {}

WakeHolds::~WakeHolds()
{
    if (m_screenCookie)
        QDBusConnection::sessionBus().call(
            screenSaverCall(QStringLiteral("UnInhibit"), {*m_screenCookie}), QDBus::NoBlock);
}

void WakeHolds::hold(bool screen, bool sleep)
{
    m_wantScreen = screen;
    m_wantSleep = sleep;
    settleScreen();
    settleSleep();
    settleXScreenSaver();
}

void WakeHolds::settleXScreenSaver()
{
    if (m_wantScreen == m_xSuspended)
        return;
    // A program without a screen (a test) has no GUI application to ask.
    auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    const auto* x11 = gui ? gui->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11)
        return;
    // The X server ends the suspension by itself when the program's connection closes.
    xcb_screensaver_suspend(x11->connection(), m_wantScreen ? 1 : 0);
    xcb_flush(x11->connection());
    m_xSuspended = m_wantScreen;
}

void WakeHolds::whenAnswered(const QDBusPendingCall& call, void (WakeHolds::*settle)(),
                             const std::function<void(const QDBusPendingCall&)>& take)
{
    auto* watcher = new QDBusPendingCallWatcher(call, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, settle, take] {
        watcher->deleteLater();
        take(*watcher);
        (this->*settle)(); // what is wanted may have changed while the call was away
    });
}

void WakeHolds::settleScreen()
{
    if (m_screenAsked || m_wantScreen == holdsScreen())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!m_wantScreen) {
        bus.call(screenSaverCall(QStringLiteral("UnInhibit"), {*m_screenCookie}), QDBus::NoBlock);
        m_screenCookie.reset();
        return;
    }
    if (m_screenRefused)
        return;
    m_screenAsked = true;
    const QDBusPendingCall call = bus.asyncCall(
        screenSaverCall(QStringLiteral("Inhibit"),
                        {QStringLiteral("Sofavio"), QStringLiteral("Reproduciendo un vídeo")}));
    whenAnswered(call, &WakeHolds::settleScreen, [this](const QDBusPendingCall& answer) {
        m_screenAsked = false;
        const QDBusPendingReply<uint> cookie = answer;
        if (cookie.isValid()) {
            m_screenCookie = cookie.value();
            return;
        }
        m_screenRefused = true;
        qCInfo(lcPlatform) << "the screen may blank during films:" << cookie.error().message();
    });
}

void WakeHolds::settleSleep()
{
    if (m_sleepAsked || m_wantSleep == holdsSleep())
        return;
    if (!m_wantSleep) {
        m_sleepLock = QDBusUnixFileDescriptor(); // closing the lock lets logind go
        return;
    }
    if (m_sleepRefused)
        return;
    m_sleepAsked = true;
    const QDBusPendingCall call = QDBusConnection::systemBus().asyncCall(sleepInhibitCall());
    whenAnswered(call, &WakeHolds::settleSleep, [this](const QDBusPendingCall& answer) {
        m_sleepAsked = false;
        const QDBusPendingReply<QDBusUnixFileDescriptor> lock = answer;
        if (lock.isValid() && lock.value().isValid()) {
            m_sleepLock = lock.value();
            return;
        }
        m_sleepRefused = true;
        qCInfo(lcPlatform) << "the machine may sleep while playing:" << lock.error().message();
    });
}
