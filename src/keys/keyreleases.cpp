#include "keys/keyreleases.h"

#include "form/keycodes.h"

#include <QKeyEvent>

namespace {

// A key down this long may be repeating (keyboards start after 200 to 660 ms); a tap is shorter.
constexpr qint64 kHeldMs = 150;
// Longer than the moment between a repeat's release and its press, shorter than a person
// takes to let a key go and press it again.
constexpr int kRepeatGapMs = 60;

} // namespace

KeyReleases::KeyReleases(std::function<void(int code)> letGo, QObject* parent)
    : QObject(parent), m_letGo(std::move(letGo))
{
    m_wait.setSingleShot(true);
    m_wait.setInterval(kRepeatGapMs);
    connect(&m_wait, &QTimer::timeout, this, &KeyReleases::deliverKeptBack);
}

void KeyReleases::pressed(const QKeyEvent& event)
{
    if (m_keptBackKey == event.key()) {
        // The key came down again at once: what looked like letting it go was a repeat.
        m_wait.stop();
        m_keptBackKey = 0;
        return;
    }
    deliverKeptBack();
    if (!event.isAutoRepeat() || event.key() != m_downKey) {
        m_downKey = event.key();
        m_downSince.start();
    }
}

void KeyReleases::released(const QKeyEvent& event)
{
    if (event.isAutoRepeat())
        return;
    deliverKeptBack();
    if (event.key() == m_downKey && m_downSince.elapsed() >= kHeldMs) {
        m_keptBackKey = event.key();
        m_wait.start();
        return;
    }
    m_letGo(keyCode(event));
}

void KeyReleases::deliverKeptBack()
{
    if (m_keptBackKey == 0)
        return;
    m_wait.stop();
    m_letGo(keyCode(std::exchange(m_keptBackKey, 0)));
}
