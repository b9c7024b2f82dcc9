// SPDX-License-Identifier: GPL-3.0-or-later
// Playback figures with the real libmpv (no sound device, no picture):
//  - from Enter on a song to the player's NewStream, median of 20, beside `mpv` itself
//    opening the same file;
//  - resident memory across 1,000 automatic track changes;
//  - EnqueueAll of a 10,000-file listing.
#include "app/mainwindow.h"
#include "form/menulist.h"
#include "measure.h"
#include "media/mediakinds.h"
#include "menu/folderbrowser.h"
#include "menu/itemactivation.h"
#include "platform/desktopfileoperations.h"
#include "platform/drives.h"
#include "platform/mpvplayer.h"
#include "platform/processlauncher.h"
#include "playback/nowplaying.h"
#include "playback/playall.h"
#include "report.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

class NoDrives : public Drives {
public:
    std::optional<std::vector<OpticalDrive>> opticalDrives() const override
    {
        return std::vector<OpticalDrive>{};
    }
};

// Runs the event loop until the signal arrives or the time is up; false on time-out.
template <typename Signal>
bool waitFor(MediaPlayer& player, Signal signal, int ms = 10000)
{
    QEventLoop loop;
    QObject::connect(&player, signal, &loop, &QEventLoop::quit);
    QTimer::singleShot(ms, &loop, [&loop] { loop.exit(1); });
    return loop.exec() == 0;
}

void fillWithLinks(const QString& folder, const QString& source, int count)
{
    for (int i = 0; i < count; ++i) {
        const QByteArray target =
            QFile::encodeName(QStringLiteral("%1/%2.mp3").arg(folder).arg(i, 5, 10, QChar(u'0')));
        if (link(QFile::encodeName(source).constData(), target.constData()) != 0)
            QFile::copy(source, QFile::decodeName(target));
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_playback SONG.mp3\n");
        return 2;
    }
    const QString song = QString::fromLocal8Bit(argv[1]);
    NoDrives drives;
    ProcessLauncher launcher;
    DesktopFileOperations files;
    QTemporaryDir programFolder;
    QTemporaryDir media;

    {
        MpvPlayer player(drives,
                         MpvSettings{QStringLiteral("null"), QStringLiteral("null"), QString()});
        MainWindow window(Services{player, drives, launcher, files}, programFolder.path());
        QFile::copy(song, media.filePath("a.mp3"));
        QFile::copy(song, media.filePath("b.mp3"));
        window.File1.pattern = kAudioPattern;
        Explore(window, media.path());
        std::vector<double> toStream;
        for (int run = 0; run < 20; ++run) {
            window.LsvMenu->selectRow(3 + run % 2);
            QElapsedTimer clock;
            clock.start();
            LsvMenu_Click(window);
            if (!waitFor(player, &MediaPlayer::NewStream))
                return 1;
            toStream.push_back(double(clock.nsecsElapsed()) / 1e6);
        }
        std::vector<double> mpvRuns;
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer clock;
            clock.start();
            QProcess::execute(QStringLiteral("mpv"), {"--no-config", "--really-quiet", "--ao=null",
                                                      "--vo=null", "--end=0.001", song});
            mpvRuns.push_back(double(clock.nsecsElapsed()) / 1e6);
        }
        reportRow("Enter on a song to NewStream", median(toStream), "ms", "<= 150", "mpv command",
                  median(mpvRuns));
    }

    {
        MpvPlayer player(drives, MpvSettings{QStringLiteral("null"),
                                             QStringLiteral("null"),
                                             QString(),
                                             {{"untimed", "yes"}, {"ao-null-untimed", "yes"}}});
        MainWindow window(Services{player, drives, launcher, files}, programFolder.path());
        window.Timer1->stop();
        QTemporaryDir folder;
        fillWithLinks(folder.path(), song, 1001);
        window.File1.pattern = kAudioPattern;
        Explore(window, folder.path());
        window.LsvMenu->selectRow(3);
        LsvMenu_Click(window);
        waitFor(player, &MediaPlayer::MediaChange);
        const long before = residentKiB();
        int changes = 0;
        while (changes < 1000) {
            while (player.playState() != PlayState::Stopped)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
            Timer1_Timer(window);
            if (!waitFor(player, &MediaPlayer::MediaChange)) {
                std::fprintf(stderr,
                             "no next song after %d changes (track %d, state %d, current %s)\n",
                             changes, window.playback.TrackIndex, int(player.playState()),
                             qPrintable(player.currentMedia() ? player.currentMedia()->sourceURL
                                                              : QString()));
                return 1;
            }
            ++changes;
        }
        reportRow("memory grown over 1,000 track changes", double(residentKiB() - before) / 1024,
                  "MB", "<= 10");

        QElapsedTimer clock;
        clock.start();
        QTemporaryDir big;
        fillWithLinks(big.path(), song, 10000);
        Explore(window, big.path());
        clock.restart();
        EnqueueAll(window);
        reportRow("EnqueueAll of 10,000 files", double(clock.nsecsElapsed()) / 1e6, "ms", "<= 300");
    }
    return 0;
}
