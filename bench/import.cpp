// SPDX-License-Identifier: GPL-3.0-or-later
// Import figures:
//  - the search over 200,000 files in 5,000 folders (warm cache), beside `find` looking for
//    the same extensions;
//  - copying 200 files of 10 MiB and one of 2 GiB to the same disk until they are on it,
//    beside `cp` followed by `sync`;
//  - how often the progress panel repaints while the 2 GiB file is copied.
#include "import/copyengine.h"
#include "import/copyprogress.h"
#include "import/mediasearch.h"
#include "report.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

const QString kMusic = QStringLiteral("mp3 wma ogg wav wave");

double seconds(const QElapsedTimer& clock)
{
    return double(clock.nsecsElapsed()) / 1e9;
}

void makeTree(const QString& root)
{
    const char* extensions[] = {".mp3", ".jpg", ".txt", ".ogg", ".avi"};
    for (int folder = 0; folder < 5000; ++folder) {
        const QString path = QStringLiteral("%1/%2/%3").arg(root).arg(folder / 100).arg(folder);
        QDir().mkpath(path);
        for (int file = 0; file < 40; ++file) {
            const QByteArray name =
                QFile::encodeName(QStringLiteral("%1/pista %2%3")
                                      .arg(path)
                                      .arg(file)
                                      .arg(QLatin1String(extensions[file % 5])));
            ::close(::open(name.constData(), O_CREAT | O_WRONLY, 0644));
        }
    }
}

void makeFile(const QString& path, qint64 bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    const QByteArray block(1 << 20, 'm');
    for (qint64 written = 0; written < bytes; written += block.size())
        file.write(block);
}

// Each copy starts with nothing waiting to be written, and ends with its files on the disk:
// the program's copy makes sure of that itself, `cp` needs a `sync` after it.
double copySeconds(const QStringList& sources, const QString& destination)
{
    ::sync();
    QElapsedTimer clock;
    clock.start();
    CopyEngine engine(sources, destination, false);
    engine.run();
    return seconds(clock);
}

double cpSyncSeconds(const QStringList& sources, const QString& destination)
{
    ::sync();
    QElapsedTimer clock;
    clock.start();
    QProcess::execute(QStringLiteral("cp"), QStringList(sources) << destination);
    ::sync();
    return seconds(clock);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QTemporaryDir work(base + QStringLiteral("/sofavio-bench-XXXXXX"));

    const QString tree = work.filePath("tree");
    makeTree(tree);
    QStringList found;
    QStringList unreadable;
    FindMedia(tree, kMusic, found, unreadable); // warms the cache
    found.clear();
    QElapsedTimer clock;
    clock.start();
    appendMatchingFiles(tree, kMusic, found);
    FindMedia(tree, kMusic, found, unreadable);
    const double search = seconds(clock);
    clock.restart();
    QProcess find;
    find.setStandardOutputFile(QProcess::nullDevice());
    find.start(QStringLiteral("find"),
               {tree, "-type", "f", "(", "-iname", "*.mp3", "-o", "-iname", "*.wma", "-o", "-iname",
                "*.ogg", "-o", "-iname", "*.wav", "-o", "-iname", "*.wave", ")"});
    find.waitForFinished(-1);
    const double findTime = seconds(clock);
    reportRow("disc search, 200,000 files in 5,000 folders", search * 1000, "ms", "<= 1.5 x find",
              "find", findTime * 1000);
    QDir(tree).removeRecursively();

    QStringList small;
    QDir().mkpath(work.filePath("src"));
    for (int i = 0; i < 200; ++i) {
        small << work.filePath(QStringLiteral("src/%1.avi").arg(i));
        makeFile(small.last(), 10 << 20);
    }
    const QString big = work.filePath("src/big.avi");
    makeFile(big, qint64(2) << 30);
    for (const auto& [label, sources] : {std::pair{"200 files of 10 MiB", small},
                                         std::pair{"one file of 2 GiB", QStringList{big}}}) {
        const qint64 bytes = label[0] == '2' ? qint64(2000) << 20 : qint64(2) << 30;
        QDir().mkpath(work.filePath("ours"));
        QDir().mkpath(work.filePath("cp"));
        const double ours = copySeconds(sources, work.filePath("ours"));
        const double cp = cpSyncSeconds(sources, work.filePath("cp"));
        reportRow(label[0] == '2' ? "copy of 200 files of 10 MiB" : "copy of one file of 2 GiB",
                  bytes / ours / 1e6, "MB/s", ">= 0.9 x cp + sync", "cp + sync", bytes / cp / 1e6);
        QDir(work.filePath("ours")).removeRecursively();
        QDir(work.filePath("cp")).removeRecursively();
    }

    QDir().mkpath(work.filePath("ours"));
    CopyEngine engine({big}, work.filePath("ours"), false);
    CopyProgressPanel panel(nullptr, engine);
    int paints = 0;
    struct PaintCounter : QObject {
        int& count;
        explicit PaintCounter(int& c) : count(c) {}
        bool eventFilter(QObject*, QEvent* event) override
        {
            count += event->type() == QEvent::Paint;
            return false;
        }
    } counter(paints);
    panel.installEventFilter(&counter);
    for (QObject* child : panel.children())
        child->installEventFilter(&counter);
    clock.restart();
    panel.runModal();
    const double copying = seconds(clock);
    reportRow("progress panel repaints while copying", paints / copying, "/s", ">= 10");
    return 0;
}
