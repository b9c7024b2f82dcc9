// SPDX-License-Identifier: GPL-3.0-or-later
// Starts Sofavio as the executable does and reports, on one line:
//   painted_ns=<CLOCK_REALTIME when the main window's first paint had finished>
// With --idle SECONDS it then stays idle that long and adds the resident memory, then the CPU
// time used over as long again. The program folder (holding folders.ini) is the first argument.
#include "app/application.h"
#include "app/mainwindow.h"
#include "measure.h"
#include "platform/bigscreen.h"

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>

namespace {

qint64 realtimeNs()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

class FirstPaint : public QObject {
public:
    explicit FirstPaint(int idleSeconds) : m_idleSeconds(idleSeconds) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Runs once the paint that is starting now has been delivered.
            QTimer::singleShot(0, this, [this] { painted(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void painted()
    {
        std::printf("painted_ns=%lld", static_cast<long long>(realtimeNs()));
        if (m_idleSeconds <= 0) {
            std::printf("\n");
            QCoreApplication::quit();
            return;
        }
        // Memory after the idle time, then the CPU used over as long again, when nothing
        // of the start-up is left running.
        QTimer::singleShot(m_idleSeconds * 1000, this, [this] {
            std::printf(" rss_kib=%ld", residentKiB());
            const double cpuBefore = cpuSeconds();
            QTimer::singleShot(m_idleSeconds * 1000, this, [this, cpuBefore] {
                std::printf(" idle_cpu_percent=%.3f\n",
                            100.0 * (cpuSeconds() - cpuBefore) / m_idleSeconds);
                QCoreApplication::quit();
            });
        });
    }

    int m_idleSeconds;
    bool m_seen = false;
};

} // namespace

int main(int argc, char** argv)
{
    const char* scaling = scaleForBigScreens(); // as the program starts, on a screen of any size
    QApplication application(argc, argv);
    if (scaling)
        qunsetenv(scaling);
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup PROGRAM_FOLDER [--idle SECONDS]\n");
        return 2;
    }
    const int idleSeconds = argc >= 4 && QByteArray(argv[2]) == "--idle" ? std::atoi(argv[3]) : 0;
    Sofavio sofavio(QString::fromLocal8Bit(argv[1]));
    FirstPaint watcher(idleSeconds);
    sofavio.window().installEventFilter(&watcher);
    sofavio.window().showOnScreen();
    const int status = QApplication::exec();
    std::fflush(stdout);
    return status;
}
