// SPDX-License-Identifier: GPL-3.0-or-later
// Times Explore on folders of 10,000 and 100,000 matching files, from the call until the
// list is filled and painted, next to `ls -1` on the same folder; and on 10,000 files with
// the music pattern next to the shorter one it had before today's kinds joined it.
#include "app/application.h"
#include "app/mainwindow.h"
#include "form/menulist.h"
#include "listing.h"
#include "measure.h"
#include "media/mediakinds.h"
#include "menu/folderbrowser.h"
#include "menu/mainmenu.h"
#include "report.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 10;
const QString kFormerAudioPattern = QStringLiteral("*.mp3;*.wav;*.wave;*.mp2;*.cda;*.ogg;*.wma");

void fillFolder(const QString& folder, int files)
{
    for (int i = 0; i < files; ++i) {
        QFile file(
            QStringLiteral("%1/Intérprete %2 - Canción %3.mp3").arg(folder).arg(i % 97).arg(i));
        file.open(QIODevice::WriteOnly);
    }
}

double exploreMs(MainWindow& window, const QString& folder)
{
    QElapsedTimer clock;
    clock.start();
    exploreAndWait(window, folder);
    window.LsvMenu->viewport()->repaint();
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QTemporaryDir programFolder;
    Sofavio sofavio(programFolder.path());
    MainWindow& window = sofavio.window();
    window.showOnScreen();
    QApplication::processEvents();
    window.File1.pattern = kAudioPattern;

    {
        QTemporaryDir folder;
        fillFolder(folder.path(), 10000);
        std::vector<double> today;
        std::vector<double> former;
        for (int run = 0; run < kRuns; ++run) {
            for (auto [pattern, times] :
                 {std::pair{&kAudioPattern, &today}, std::pair{&kFormerAudioPattern, &former}}) {
                window.File1.pattern = *pattern;
                ShowMenu(window);
                times->push_back(exploreMs(window, folder.path()));
            }
        }
        reportRow("Explore 10,000 files, with today's kinds", median(today), "ms",
                  "<= 1.1 x former", "former music pattern", median(former));
        window.File1.pattern = kAudioPattern;
    }
    for (const int files : {10000, 100000}) {
        QTemporaryDir folder;
        fillFolder(folder.path(), files);
        std::vector<double> explore;
        std::vector<double> ls;
        for (int run = 0; run < kRuns; ++run) {
            ShowMenu(window);
            explore.push_back(exploreMs(window, folder.path()));
            ls.push_back(lsMs(folder.path()));
        }
        const double exploreMedian = median(explore);
        const double lsMedian = median(ls);
        reportRow(files == 10000 ? "Explore 10,000 files, filled and painted"
                                 : "Explore 100,000 files, filled and painted",
                  exploreMedian, "ms", files == 10000 ? "<= 50" : "<= 500", "ls -1", lsMedian);
        if (window.LsvMenu->rows().rowCount() != files + 3) {
            std::fprintf(stderr, "the list holds %d rows, not %d\n",
                         window.LsvMenu->rows().rowCount(), files + 3);
            return 1;
        }
    }
    return 0;
}
