#include "pictures/picturedecoder.h"

#include "form/twips.h"
#include "pictures/pictureloader.h"
#include "platform/filesystem.h"

namespace {

DecodedPicture decode(const QString& path, const PictureDecoder::Placement& place, qreal pixelRatio)
{
    DecodedPicture picture{path, pictureSize(path)};
    if (!picture.natural)
        return picture;
    picture.place = place(*picture.natural);
    picture.image = loadPicture(path, toPixels(picture.place).size() * pixelRatio);
    picture.created = fileCreationDate(path);
    return picture;
}

} // namespace

PictureDecoder::PictureDecoder(QObject* parent, std::chrono::milliseconds atOnce)
    : QObject(parent), m_atOnce(atOnce)
{
}

void PictureDecoder::request(const QString& path, Placement place, qreal pixelRatio)
{
    Request next{path, std::move(place), pixelRatio};
    if (m_busy)
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
    m_busy = true;
    m_wanted = true;
    m_worker.run<DecodedPicture>(
        [request] { return decode(request.path, request.place, request.pixelRatio); },
        [this](const DecodedPicture& picture) { finished(picture); }, m_atOnce);
}

void PictureDecoder::finished(const DecodedPicture& picture)
{
    m_busy = false;
    if (m_waiting) {
        start(*std::exchange(m_waiting, std::nullopt));
        return; // a newer picture was asked for; this one is no longer wanted
    }
    if (std::exchange(m_wanted, false))
        emit decoded(picture);
}
