// SPDX-License-Identifier: GPL-3.0-or-later
#include "keys/heldkeys.h"

#include "form/keycodes.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>

namespace {

// A key down this long may be repeating (keyboards start after 200 to 660 ms); a tap is shorter.
constexpr qint64 kHeldMs = 150;
// Longer than the moment between a repeat's release and its press, shorter than a person
// takes to let a key go and press it again.
constexpr int kRepeatGapMs = 60;

bool repeatsWhileHeld(const QKeyEvent& event)
{
    const int code = keyCode(event);
    return code >= kKeyPageUp && code <= kKeyDown; // Page Up, Page Down, End, Home, arrows
}

} // namespace

HeldKeys::HeldKeys(QObject* parent) : QObject(parent)
{
    m_wait.setSingleShot(true);
    m_wait.setInterval(kRepeatGapMs);
    connect(&m_wait, &QTimer::timeout, this, &HeldKeys::deliverKeptBack);
    QCoreApplication::instance()->installEventFilter(this);
}

bool HeldKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event == m_delivering)
        return false;
    if (event->type() == QEvent::KeyPress)
        return pressed(static_cast<const QKeyEvent&>(*event));
    if (event->type() == QEvent::KeyRelease)
        return released(watched, static_cast<const QKeyEvent&>(*event));
    return false;
}

bool HeldKeys::pressed(const QKeyEvent& event)
{
    if (m_keptBack && m_keptBack->key() == event.key()) {
        // The key came down again at once: what looked like letting it go was a repeat.
        m_wait.stop();
        m_keptBack.reset();
        m_downKey = event.key(); // still down since its first press
        return !repeatsWhileHeld(event);
    }
    deliverKeptBack();
    if (event.isAutoRepeat())
        return !repeatsWhileHeld(event);
    // (A press that a widget leaves to its parent is seen again; it is still the same press.)
    if (event.key() != m_downKey) {
        m_downKey = event.key();
        m_downSince.start();
    }
    return false;
}

bool HeldKeys::released(QObject* receiver, const QKeyEvent& event)
{
    if (event.isAutoRepeat())
        return true;
    deliverKeptBack();
    if (event.key() != m_downKey)
        return false;
    m_downKey = 0;
    if (m_downSince.elapsed() < kHeldMs)
        return false;
    m_keptBack.reset(event.clone());
    m_keptBackReceiver = receiver;
    m_wait.start();
    return true;
}

void HeldKeys::deliverKeptBack()
{
    m_wait.stop();
    const std::unique_ptr<QKeyEvent> release = std::move(m_keptBack);
    if (!release || !m_keptBackReceiver)
        return;
    const QScopedValueRollback<const QKeyEvent*> delivering(m_delivering, release.get());
    QCoreApplication::sendEvent(m_keptBackReceiver, release.get());
}
