// SPDX-License-Identifier: GPL-3.0-or-later
// Picture preview figures:
//  - a 6000 x 4000 JPEG, from the key release to the picture shown, median of 10, beside
//    `djpeg -scale 1/8` on the same file (or the scale named by the first argument, with the
//    screen named in the figure: a big screen decodes the preview at its own pixels);
//  - Down held through 500 such pictures at 30 presses a second: the longest a key waits
//    to be handled, and the time from the last release to the final picture on screen.
#include "app/mainwindow.h"
#include "form/elements.h"
#include "form/menulist.h"
#include "measure.h"
#include "menu/folderbrowser.h"
#include "pictures/preview.h"
#include "platform/bigscreen.h"
#include "platform/desktopfileoperations.h"
#include "platform/linuxdrives.h"
#include "platform/mediaplayer.h"
#include "platform/processlauncher.h"
#include "report.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

// A player that plays nothing: the benchmark only previews pictures.
class SilentPlayer : public MediaPlayer {
public:
    void setURL(const QString&) override {}
    void openAt(const QString&, const StartPoint&) override {}
    void clearPlaylist() override {}
    void appendItem(const MediaItem&) override {}
    void play() override {}
    void pause() override {}
    void stop() override {}
    std::optional<double> currentPosition() const override { return std::nullopt; }
    bool setCurrentPosition(double) override { return false; }
    PlayState playState() const override { return PlayState::Undefined; }
    std::optional<qint64> selectedTrack(const QString&) const override { return std::nullopt; }
    void selectTrack(const QString&, qint64) override {}
    std::optional<CurrentMedia> currentMedia() const override { return std::nullopt; }
    std::optional<QString> opticalDriveSpecifier(int) const override { return std::nullopt; }
};

void makePhoto(const QString& path)
{
    QImage photo(6000, 4000, QImage::Format_RGB32);
    QPainter painter(&photo);
    QLinearGradient gradient(0, 0, 6000, 4000);
    gradient.setColorAt(0, Qt::darkBlue);
    gradient.setColorAt(1, Qt::yellow);
    painter.fillRect(photo.rect(), gradient);
    for (int i = 0; i < 400; ++i)
        painter.fillRect((i * 997) % 5900, (i * 571) % 3900, 100, 100,
                         QColor::fromHsv(i % 360, 200, 220));
    painter.end();
    photo.save(path, "JPG", 90);
}

// Waits until the preview shows a picture; milliseconds, or -1 on time-out.
double untilShown(MainWindow& window, const QElapsedTimer& clock)
{
    while (!window.Image2->hasPicture()) {
        if (clock.elapsed() > 5000)
            return -1;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    const char* scaling = scaleForBigScreens();
    QApplication application(argc, argv);
    if (scaling)
        qunsetenv(scaling);
    const QString djpegScale = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("1/8");
    QTemporaryDir folder;
    QTemporaryDir programFolder;
    const QString photo = folder.filePath("000.jpg");
    makePhoto(photo);
    for (int i = 1; i < 500; ++i)
        link(QFile::encodeName(photo).constData(),
             QFile::encodeName(folder.filePath(QStringLiteral("%1.jpg").arg(i, 3, 10, QChar(u'0'))))
                 .constData());

    SilentPlayer player;
    LinuxDrives drives;
    ProcessLauncher launcher;
    DesktopFileOperations files;
    MainWindow window(Services{player, drives, launcher, files}, programFolder.path());
    window.showOnScreen();
    window.record.PictureMode = true;
    window.File1.pattern = QStringLiteral("*.jpg");
    Explore(window, folder.path());
    QApplication::processEvents();

    std::vector<double> shown;
    for (int run = 0; run < 10; ++run) {
        clearPreview(window); // forgets the picture too, or the same row would keep it
        QElapsedTimer clock;
        clock.start();
        QTest::keyRelease(window.LsvMenu, Qt::Key_Down);
        shown.push_back(untilShown(window, clock));
    }
    std::vector<double> djpeg;
    for (int run = 0; run < 10; ++run) {
        QElapsedTimer clock;
        clock.start();
        QProcess decode;
        decode.setStandardOutputFile(QProcess::nullDevice());
        decode.start(QStringLiteral("djpeg"), {QStringLiteral("-scale"), djpegScale, photo});
        decode.waitForFinished(-1);
        djpeg.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    const QSize screen = window.screen()->size() * window.devicePixelRatioF();
    const QByteArray figure = QStringLiteral("preview of a 6000 x 4000 JPEG on %1 x %2")
                                  .arg(screen.width())
                                  .arg(screen.height())
                                  .toUtf8();
    const QByteArray floorName = "djpeg -scale " + djpegScale.toUtf8();
    reportRow(figure.constData(), median(shown), "ms", "<= 80", floorName.constData(),
              median(djpeg));

    // Down held at 30 presses a second from the top of the listing.
    window.LsvMenu->selectRow(3);
    double longestKey = 0;
    QElapsedTimer pace;
    pace.start();
    for (int press = 0; press < 150; ++press) {
        while (pace.elapsed() < press * 33)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        QElapsedTimer key;
        key.start();
        QTest::keyPress(window.LsvMenu, Qt::Key_Down);
        QTest::keyRelease(window.LsvMenu, Qt::Key_Down);
        longestKey = std::max(longestKey, double(key.nsecsElapsed()) / 1e6);
    }
    window.Image2->clear();
    QElapsedTimer last;
    last.start();
    const QString wanted = window.LsvMenu->rows().row(window.LsvMenu->selectedRow()).rowKey();
    const double settled = untilShown(window, last);
    reportRow("Down held at 30/s: longest key", longestKey, "ms", "<= 16.7 (a frame)");
    reportRow(window.preview.path == wanted ? "Down held: final picture after the last key"
                                            : "Down held: final picture (WRONG PICTURE)",
              settled, "ms", "<= 150");
    return 0;
}
