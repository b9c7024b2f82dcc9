// SPDX-License-Identifier: GPL-3.0-or-later
// Saves what the X screen shows as a PNG and fails when the picture is blank (one colour).
// With --video it also fails unless a picture covers the whole screen, and with --no-video
// unless one does not: the program's own screens are black and green, so each quarter of
// the screen is checked for the share of pixels with red or blue in them. With
// --same-as REFERENCE.png [X0 Y0 X1 Y1] it fails unless the screen (or that area of it) shows
// what the reference shows (a screen of another size is shrunk to the reference's size
// first: the same layout). With
// --colour-at X Y RRGGBB it fails unless that pixel is near that colour. With
// --extent RRGGBB X0 Y0 X1 Y1 it prints the smallest box around the pixels near that colour
// inside the area, as "extent LEFT TOP RIGHT BOTTOM" ("extent none" without one). With
// --count RRGGBB MIN it fails unless at least MIN pixels are exactly that colour, as a
// panel of one flat colour placed anywhere has them. With --saver on|off it fails unless the
// X screensaver is in that state (it prints it).
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <xcb/screensaver.h>

namespace {

// "on" while the X server's screensaver is active, "off" while it waits, "disabled".
const char* saverState()
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    xcb_screensaver_query_info_reply_t* info = xcb_screensaver_query_info_reply(
        connection, xcb_screensaver_query_info(connection, screen->root), nullptr);
    const char* state = !info                                      ? "unknown"
                        : info->state == XCB_SCREENSAVER_STATE_ON  ? "on"
                        : info->state == XCB_SCREENSAVER_STATE_OFF ? "off"
                                                                   : "disabled";
    free(info);
    xcb_disconnect(connection);
    return state;
}

bool near(QRgb pixel, QRgb colour)
{
    constexpr int tolerance = 40;
    return std::abs(qRed(pixel) - qRed(colour)) <= tolerance &&
           std::abs(qGreen(pixel) - qGreen(colour)) <= tolerance &&
           std::abs(qBlue(pixel) - qBlue(colour)) <= tolerance;
}

QRgb colourOf(const char* hex)
{
    return QColor(QLatin1Char('#') + QLatin1String(hex)).rgb();
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshot FILE.png [CHECK ARGUMENTS...]\n");
        return 2;
    }
    const QByteArray expectation = argc >= 3 ? QByteArray(argv[2]) : QByteArray();
    if (expectation == "--saver" && argc == 4) {
        const char* state = saverState();
        std::printf("X screensaver: %s\n", state);
        return std::strcmp(state, argv[3]) == 0 ? 0 : 1;
    }
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "screenshot: could not grab or save the screen\n");
        return 1;
    }
    // Every pixel, opaque, of 32 bits, with no padding at the lines' ends.
    const QImage pixels = shot.convertToFormat(QImage::Format_RGB32);
    const auto* first = reinterpret_cast<const QRgb*>(pixels.constBits());
    const auto* end = first + pixels.width() * pixels.height();
    const bool blank = std::all_of(first, end, [&](QRgb pixel) { return pixel == *first; });
    std::printf("%dx%d%s\n", shot.width(), shot.height(), blank ? ", blank" : "");
    if (blank)
        return 1;
    if (expectation.isEmpty())
        return 0;
    if (expectation == "--colour-at" && argc == 6) {
        const QRgb pixel = shot.pixel(std::atoi(argv[3]), std::atoi(argv[4]));
        std::printf("colour at %s,%s: %s\n", argv[3], argv[4], qPrintable(QColor(pixel).name()));
        return near(pixel, colourOf(argv[5])) ? 0 : 1;
    }
    if (expectation == "--count" && argc == 5) {
        const qint64 count = std::count(first, end, colourOf(argv[3]));
        std::printf("%lld pixels of #%s\n", count, argv[3]);
        return count >= std::atoll(argv[4]) ? 0 : 1;
    }
    if (expectation == "--extent" && argc == 8) {
        const QRgb colour = colourOf(argv[3]);
        QRect box;
        for (int y = std::atoi(argv[5]); y <= std::atoi(argv[7]) && y < shot.height(); ++y) {
            for (int x = std::atoi(argv[4]); x <= std::atoi(argv[6]) && x < shot.width(); ++x) {
                if (near(shot.pixel(x, y), colour))
                    box |= QRect(x, y, 1, 1);
            }
        }
        if (box.isNull())
            std::printf("extent none\n");
        else
            std::printf("extent %d %d %d %d\n", box.left(), box.top(), box.right(), box.bottom());
        return 0;
    }
    if (expectation == "--same-as") {
        // Within an area, when given: the whole screen otherwise.
        const QImage whole(QString::fromLocal8Bit(argv[3]));
        const QRect area = argc == 8 ? QRect(QPoint(std::atoi(argv[4]), std::atoi(argv[5])),
                                             QPoint(std::atoi(argv[6]), std::atoi(argv[7])))
                                     : whole.rect();
        const QImage reference = whole.copy(area);
        const QImage seen = argc == 8 ? shot.copy(area) : shot;
        // A screen of another size is compared shrunk to the reference's, where edges and
        // letters fall a little apart, so only a pixel far from the reference's counts.
        const bool sameSize = reference.size() == seen.size();
        const QImage shown = (sameSize ? seen
                                       : seen.scaled(reference.size(), Qt::IgnoreAspectRatio,
                                                     Qt::SmoothTransformation))
                                 .convertToFormat(reference.format());
        qint64 differing = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb a = shown.pixel(x, y), b = reference.pixel(x, y);
                differing += sameSize ? a != b : !near(a, b);
            }
        }
        std::printf("%lld pixels differ from the reference\n", differing);
        return differing * 100 <= qint64(shown.width()) * shown.height() ? 0 : 1;
    }
    if (expectation != "--video" && expectation != "--no-video") {
        std::fprintf(stderr, "screenshot: no check %s with %d arguments\n", argv[2], argc - 3);
        return 2;
    }
    int coveredQuarters = 0;
    for (int quarter = 0; quarter < 4; ++quarter) {
        const QRect area((quarter % 2) * shot.width() / 2, (quarter / 2) * shot.height() / 2,
                         shot.width() / 2, shot.height() / 2);
        int coloured = 0;
        int all = 0;
        for (int y = area.top(); y <= area.bottom(); y += 8) {
            for (int x = area.left(); x <= area.right(); x += 8) {
                const QRgb pixel = shot.pixel(x, y);
                coloured += qRed(pixel) >= 60 || qBlue(pixel) >= 60;
                ++all;
            }
        }
        const double share = double(coloured) / all;
        std::printf("quarter %d: %.0f %% coloured\n", quarter, 100 * share);
        coveredQuarters += share >= 0.3;
    }
    const bool video = coveredQuarters == 4;
    return video == (expectation == "--video") ? 0 : 1;
}
