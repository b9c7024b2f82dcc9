// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>

class QKeyEvent;

// What a held key does, in every window of the program. X11 and a remote's receiver repeat
// a press while a key is held, with a release before each repeated press. The moving keys
// repeat; every other key acts once per press, on the first press, so that a held OK or Back
// does not act again inside the screen it has just opened. Only letting a key go is a release.
// Qt marks a repeat by looking for the press that follows its release; when that press
// reaches the program late, both look real. So the release of a key that has been held down
// is kept back a moment, and dropped if the key comes down again at once.
class HeldKeys : public QObject {
public:
    // Watches the keys of the whole application while it lives.
    explicit HeldKeys(QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Each is true when the event is dropped.
    bool pressed(const QKeyEvent& event);
    bool released(QObject* receiver, const QKeyEvent& event);
    void deliverKeptBack();

    int m_downKey = 0; // the Qt key that went down last and is not let go, and since when
    QElapsedTimer m_downSince;
    std::unique_ptr<QKeyEvent> m_keptBack; // the release that waits, if any, and its receiver
    QPointer<QObject> m_keptBackReceiver;
    const QKeyEvent* m_delivering = nullptr;
    QTimer m_wait;
};
