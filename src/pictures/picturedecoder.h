// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fileworker.h"

#include <QDateTime>
#include <QImage>
#include <QObject>
#include <QRectF>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>

// A picture as read off its file: its own size, where it goes and the image decoded for that
// place, and the day the file was made. Nothing is known of a file that is not a picture.
struct DecodedPicture {
    QString path;
    std::optional<QSize> natural = {};
    QRectF place = {}; // twips
    QImage image = {}; // null when it could not be decoded
    std::optional<QDateTime> created = {};
};

// Reads and decodes pictures off the screen's thread, one at a time. A request made while one
// is being decoded replaces any that waits, so holding a key down through a folder of photos
// costs at most the one in hand and the last one asked for. One in hand for over a second (a
// share that sleeps or is gone) is left to its thread, and the one waiting goes ahead.
class PictureDecoder : public QObject {
    Q_OBJECT
public:
    // Where a picture of that size in pixels is shown, in twips; worked out off the screen's
    // thread, so only from the values it was given.
    using Placement = std::function<QRectF(QSize natural)>;

    using Decode =
        std::function<DecodedPicture(const QString& path, const Placement& place, qreal ratio)>;
    // Reads the file and decodes it for its place.
    static DecodedPicture decodeFile(const QString& path, const Placement& place, qreal ratio);

    // A picture decoded within `atOnce` is handed over before request returns.
    explicit PictureDecoder(QObject* parent = nullptr,
                            std::chrono::milliseconds atOnce = std::chrono::milliseconds(0),
                            Decode decode = decodeFile);

    // Decodes the picture for its place, at `pixelRatio` screen pixels to a layout pixel.
    void request(const QString& path, Placement place, qreal pixelRatio);
    // Drops the request waiting and the result of the one in hand.
    void cancel();

signals:
    void decoded(const DecodedPicture& picture);

private:
    struct Request {
        QString path;
        Placement place;
        qreal pixelRatio = 1;
    };
    void start(const Request& request);
    void finished(quint64 started, const DecodedPicture& picture);

    FileWorker m_worker;
    std::chrono::milliseconds m_atOnce;
    Decode m_decode;
    QTimer m_stuck;        // runs while the one in hand may still come back in time
    quint64 m_started = 0; // the number of the one in hand
    bool m_wanted = false; // the result of the one in hand is still wanted
    std::optional<Request> m_waiting;
};
