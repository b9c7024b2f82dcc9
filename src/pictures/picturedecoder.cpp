#include "pictures/picturedecoder.h"

#include "pictures/pictureloader.h"

#include <QtConcurrent/QtConcurrentRun>

PictureDecoder::PictureDecoder(QObject* parent) : QObject(parent)
{
    connect(&m_watcher, &QFutureWatcher<QImage>::finished, this, &PictureDecoder::finished);
}

PictureDecoder::~PictureDecoder()
{
    m_watcher.waitForFinished();
}

void PictureDecoder::request(const QString& path, QSize size)
{
    const Request next{path, size};
    if (m_current)
        m_waiting = next;
    else
        start(next);
}

void PictureDecoder::cancel()
{
    m_waiting.reset();
    if (m_current)
        m_current->path.clear(); // its result will be dropped
}

void PictureDecoder::start(const Request& request)
{
    m_current = request;
    m_watcher.setFuture(QtConcurrent::run(&loadPicture, request.path, request.size));
}

void PictureDecoder::finished()
{
    const Request done = *m_current;
    m_current.reset();
    const QImage image = m_watcher.result();
    if (m_waiting) {
        start(*std::exchange(m_waiting, std::nullopt));
        return; // a newer picture was asked for; this one is no longer wanted
    }
    if (!done.path.isEmpty())
        emit decoded(done.path, done.size, image);
}
