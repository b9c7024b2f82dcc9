// SPDX-License-Identifier: GPL-3.0-or-later
// On a share that takes its time over every call: the time to show a folder of files, next
// to `ls -1` on the same folder, and the longest a key waits for the program while folders
// are being read (an event comes in every 5 ms from outside, as the X server sends keys).
// usage: bench_slowdisk FOLDER_ON_THE_SHARE MS_A_CALL
#include "app/application.h"
#include "app/mainwindow.h"
#include "form/menulist.h"
#include "listing.h"
#include "measure.h"
#include "media/mediakinds.h"
#include "menu/mainmenu.h"
#include "report.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <atomic>
#include <thread>

namespace {

constexpr int kRuns = 10;

// What a key meets: events posted from another thread, each stamped when sent, and how long
// the screen's thread took to come to each. (A posted event of its own, as the held-key rule
// would merge keys sent this fast.)
class EventTimer : public QObject {
public:
    void send() { QCoreApplication::postEvent(this, new Stamped(m_clock.nsecsElapsed())); }
    double longestWaitMs() const { return double(m_longest) / 1e6; }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != kType)
            return QObject::event(event);
        const qint64 waited = m_clock.nsecsElapsed() - static_cast<Stamped*>(event)->sent;
        m_longest = std::max(m_longest.load(), waited);
        return true;
    }

private:
    static constexpr QEvent::Type kType = QEvent::User;
    struct Stamped : QEvent {
        explicit Stamped(qint64 at) : QEvent(kType), sent(at) {}
        qint64 sent;
    };
    QElapsedTimer m_clock = [] {
        QElapsedTimer clock;
        clock.start();
        return clock;
    }();
    std::atomic<qint64> m_longest{0};
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_slowdisk FOLDER_ON_THE_SHARE MS_A_CALL\n");
        return 2;
    }
    const QString perCall = QStringLiteral(", %1 ms a call").arg(argv[2]);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir programFolder;
    Sofavio sofavio(programFolder.path());
    MainWindow& window = sofavio.window();
    window.showOnScreen();
    QApplication::processEvents();
    window.File1.pattern = kAudioPattern;

    // Once first, so the fonts and icons a first listing loads are not counted.
    exploreAndWait(window, folder);
    window.LsvMenu->viewport()->repaint();

    EventTimer keys;
    std::atomic<bool> sending{false};
    std::atomic<bool> done{false};
    std::thread sender([&] {
        while (!done) {
            if (sending)
                keys.send();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    // The events sent meanwhile, answered, so what `ls` holds up is not counted.
    const auto answerWaiting = [] {
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 20)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
    };
    std::vector<double> shown;
    std::vector<double> ls;
    for (int run = 0; run < kRuns; ++run) {
        ShowMenu(window);
        sending = true;
        QElapsedTimer clock;
        clock.start();
        exploreAndWait(window, folder);
        window.LsvMenu->viewport()->repaint();
        shown.push_back(double(clock.nsecsElapsed()) / 1e6);
        answerWaiting();
        sending = false;
        answerWaiting();
        ls.push_back(lsMs(folder));
    }
    done = true;
    sender.join();
    const int files = window.LsvMenu->rows().rowCount() - 3;
    reportRow(qPrintable(QStringLiteral("%1 files on a share, shown").arg(files) + perCall),
              median(shown), "ms", "<= 1.2 x ls -1", "ls -1", median(ls));
    reportRow(qPrintable(QStringLiteral("longest wait of a key meanwhile") + perCall),
              keys.longestWaitMs(), "ms", "<= 50");
    return 0;
}
