// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/picturedecoder.h"

#include "form/twips.h"
#include "pictures/pictureloader.h"
#include "platform/filesystem.h"

DecodedPicture PictureDecoder::decodeFile(const QString& path, const Placement& place,
                                          qreal pixelRatio)
{
    DecodedPicture picture{path, pictureSize(path)};
    if (!picture.natural)
        return picture;
    picture.place = place(*picture.natural);
    picture.image = loadPicture(path, toPixels(picture.place).size() * pixelRatio);
    picture.created = fileCreationDate(path);
    return picture;
}

PictureDecoder::PictureDecoder(QObject* parent, std::chrono::milliseconds atOnce, Decode decode)
    : QObject(parent), m_atOnce(atOnce), m_decode(std::move(decode))
{
    m_stuck.setSingleShot(true);
    m_stuck.setInterval(1000);
    connect(&m_stuck, &QTimer::timeout, this, [this] {
        if (m_waiting)
            start(*std::exchange(m_waiting, std::nullopt));
    });
}

void PictureDecoder::request(const QString& path, Placement place, qreal pixelRatio)
{
    Request next{path, std::move(place), pixelRatio};
    if (m_stuck.isActive())
        m_waiting = std::move(next);
    else
        start(next);
}

void PictureDecoder::cancel()
{
    m_waiting.reset();
    m_wanted = false;
}

void PictureDecoder::start(const Request& request)
{
    m_wanted = true;
    const quint64 started = ++m_started;
    m_stuck.start();
    m_worker.run<DecodedPicture>(
        [decode = m_decode, request] {
            return decode(request.path, request.place, request.pixelRatio);
        },
        [this, started](const DecodedPicture& picture) { finished(started, picture); }, m_atOnce);
}

void PictureDecoder::finished(quint64 started, const DecodedPicture& picture)
{
    if (started != m_started)
        return; // left to its thread when it took too long
    m_stuck.stop();
    if (m_waiting) {
        start(*std::exchange(m_waiting, std::nullopt));
        return; // a newer picture was asked for; this one is no longer wanted
    }
    if (std::exchange(m_wanted, false))
        emit decoded(picture);
}
