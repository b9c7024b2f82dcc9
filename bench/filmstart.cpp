// SPDX-License-Identifier: GPL-3.0-or-later
// Times Enter on a film to its first frame shown (mpv reports it once the render callback
// has drawn it), median of 5, for each film named, beside the mpv command opening the same
// file full screen to its first frame, timed from its own log, on the same X server.
// usage: bench_filmstart FOLDER FILM...   (the films lie in FOLDER)
#include "app/application.h"
#include "app/mainwindow.h"
#include "form/menulist.h"
#include "measure.h"
#include "media/playback.h"
#include "menu/folderbrowser.h"
#include "platform/filesystem.h"
#include "platform/mpvplayer.h"
#include "report.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <mpv/client.h>

namespace {

constexpr int kRuns = 5;
const QByteArray kFirstFrame = "first video frame after restart shown";

// Waits for mpv's own word that the first frame is on screen; milliseconds, -1 on time-out.
double untilFirstFrame(mpv_handle* log, const QElapsedTimer& clock)
{
    while (clock.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        for (const mpv_event* event = mpv_wait_event(log, 0); event->event_id != MPV_EVENT_NONE;
             event = mpv_wait_event(log, 0)) {
            const auto* message = static_cast<const mpv_event_log_message*>(event->data);
            if (event->event_id == MPV_EVENT_LOG_MESSAGE &&
                QByteArray(message->text).contains(kFirstFrame))
                return double(clock.nsecsElapsed()) / 1e6;
        }
    }
    return -1;
}

// The mpv command, full screen, to its first frame: the time its log gives that line.
double mpvCommandMs(const QString& film, const QString& logFile)
{
    QFile::remove(logFile);
    QProcess mpv;
    mpv.start(QStringLiteral("mpv"), {"--no-config", "--vo=gpu", "--gpu-sw", "--fs", "--ao=null",
                                      "--frames=2", "--log-file=" + logFile, film});
    mpv.waitForFinished(30000);
    QFile log(logFile);
    if (!log.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression stamp(QStringLiteral("^\\[\\s*([0-9.]+)\\]"));
    for (const QByteArray& line : log.readAll().split('\n')) {
        if (line.contains(kFirstFrame))
            return stamp.match(QString::fromUtf8(line)).captured(1).toDouble() * 1000;
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_filmstart FOLDER FILM...\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir programFolder;
    // The program reads its mpv.conf beside a folders.ini; without one, mpv would try every
    // sound system of a machine that has none before it settles on no sound.
    for (const auto& [name, text] :
         {std::pair{"folders.ini", "\n\n\n\n"}, {"mpv.conf", "ao=null\n"}}) {
        QFile file(programFolder.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(text) < 0)
            return 1;
    }
    Sofavio sofavio(programFolder.path());
    MainWindow& window = sofavio.window();
    window.showOnScreen();
    QTest::qWait(500);
    auto& player = dynamic_cast<MpvPlayer&>(window.services().player);
    mpv_handle* log = mpv_create_client(player.handle().raw(), "bench");
    mpv_request_log_messages(log, "v");

    for (int i = 2; i < argc; ++i) {
        const QString film = QString::fromLocal8Bit(argv[i]);
        std::vector<double> ours;
        std::vector<double> command;
        for (int run = 0; run < kRuns; ++run) {
            Explore(window, folder);
            const auto& rows = window.LsvMenu->rows();
            for (int row = 0; row < rows.rowCount(); ++row) {
                if (rows.row(row).text == film)
                    window.LsvMenu->selectRow(row);
            }
            QTest::qWait(300);
            QElapsedTimer clock;
            clock.start();
            QTest::keyClick(window.LsvMenu, Qt::Key_Return);
            ours.push_back(untilFirstFrame(log, clock));
            window.playback.stopByUser();
            QTest::keyClick(window.LsvMenu, Qt::Key_Escape);
            QTest::qWait(300);
            command.push_back(
                mpvCommandMs(BuildPath(folder, film), programFolder.filePath("mpv.log")));
        }
        const QByteArray figure = ("Enter on " + film + " to its first frame").toUtf8();
        reportRow(figure.constData(), median(ours), "ms", "<= 1.2 x mpv", "mpv --vo=gpu --fs",
                  median(command));
    }
    mpv_destroy(log);
    return 0;
}
