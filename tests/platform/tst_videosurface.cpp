// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/mpvplayer.h"
#include "platform/mpvvideosurface.h"
#include "support/fakedrives.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <X11/Xlib.h>
#include <mpv/client.h>
#include <wayland-client.h>

// Runs on an X server, as the film is drawn through OpenGL into a window.
class TestVideoSurface : public QObject {
    Q_OBJECT
private slots:
    void filmsStartAndMoveWithoutStalling();
    void theWindowsDisplayWhereFilmsDecodeOnTheCard();
};

void TestVideoSurface::theWindowsDisplayWhereFilmsDecodeOnTheCard()
{
    // Films decoded on the processor need none; given one, mpv would try every card's driver.
    QVERIFY(!windowSystemDisplay("no"));
    const auto display = windowSystemDisplay("vaapi");
    QVERIFY(display);
    if (QGuiApplication::platformName() == QLatin1String("wayland")) {
        // A live connection to the compositor: one it answers.
        QCOMPARE(display->type, MPV_RENDER_PARAM_WL_DISPLAY);
        QVERIFY(wl_display_roundtrip(static_cast<wl_display*>(display->data)) >= 0);
        return;
    }
    // The X server's own connection, which knows the program's windows.
    QCOMPARE(display->type, MPV_RENDER_PARAM_X11_DISPLAY);
    QWidget window;
    XWindowAttributes attributes{};
    QVERIFY(
        XGetWindowAttributes(static_cast<Display*>(display->data), window.winId(), &attributes));
}

void TestVideoSurface::filmsStartAndMoveWithoutStalling()
{
    FakeDrives drives;
    MpvPlayer player(drives, {QStringLiteral("libmpv"), QStringLiteral("null"), QString()});
    QWidget window;
    videoSurfaceWidget(player.handle(), &window)->resize(640, 480);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // What mpv says, at its verbose level, about the frames it shows.
    const std::unique_ptr<mpv_handle, decltype(&mpv_destroy)> log(
        mpv_create_client(player.handle().raw(), "test"), mpv_destroy);
    mpv_request_log_messages(log.get(), "v");
    // Runs the event loop until mpv has shown the first frame since the film started or was
    // moved, counting it as stalled where mpv gave up waiting for it to be drawn first (it
    // waits 200 ms); false if none is shown in 10 s.
    int stalls = 0;
    const auto firstFrameShown = [&] {
        bool stalled = false;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            for (mpv_event* event = mpv_wait_event(log.get(), 0); event->event_id != MPV_EVENT_NONE;
                 event = mpv_wait_event(log.get(), 0)) {
                if (event->event_id != MPV_EVENT_LOG_MESSAGE)
                    continue;
                const QByteArray line(static_cast<mpv_event_log_message*>(event->data)->text);
                stalled = stalled || line.contains("not being called or stuck");
                if (line.contains("first video frame after restart shown")) {
                    stalls += stalled;
                    return true;
                }
            }
        }
        return false;
    };

    // The program's own readers: the item's details as it opens, and the clock, here read at
    // every turn of the event loop so that a read falls in every moment of a start and a seek.
    connect(&player, &MediaPlayer::NewStream, this, [&] { player.currentMedia(); });
    QTimer clock;
    connect(&clock, &QTimer::timeout, this, [&] {
        player.currentPosition();
        player.currentMedia();
    });
    clock.start(0);

    player.setURL(QStringLiteral(TEST_DATA_DIR "/clip.mpg"));
    QVERIFY(firstFrameShown());
    QTRY_COMPARE(player.playState(), PlayState::Playing);
    player.pause(); // so the film stays for every move
    for (const double seconds : {0.4, 1.2, 0.8, 1.6}) {
        QVERIFY(player.setCurrentPosition(seconds));
        QVERIFY(firstFrameShown());
    }
    // A loaded machine may miss one frame's deadline by itself; reads that wait for mpv's core
    // miss every one.
    QVERIFY2(stalls <= 1, qPrintable(QStringLiteral("%1 of 5 first frames stalled").arg(stalls)));
}

QTEST_MAIN(TestVideoSurface)
#include "tst_videosurface.moc"
