#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

class QKeyEvent;

// The releases that count: a key let go, not the releases X11 sends between the repeated
// presses of a held key. Qt marks those as repeats by looking for the press that follows; when
// that press reaches the program late, the release looks real. So the release of a key that
// has been held down is kept back a moment, and dropped if the key comes down again at once.
class KeyReleases : public QObject {
public:
    // `letGo` is told the key code of each release that counts.
    KeyReleases(std::function<void(int code)> letGo, QObject* parent);

    // Every press and release the list sees, in order.
    void pressed(const QKeyEvent& event);
    void released(const QKeyEvent& event);

private:
    void deliverKeptBack();

    std::function<void(int code)> m_letGo;
    int m_downKey = 0; // the Qt key that went down last, and since when
    QElapsedTimer m_downSince;
    int m_keptBackKey = 0; // the Qt key whose release waits, if any
    QTimer m_wait;
};
