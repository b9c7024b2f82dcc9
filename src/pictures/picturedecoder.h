#pragma once

#include <QFutureWatcher>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <optional>

// Decodes pictures off the screen's thread, one at a time. A request made while one is being
// decoded replaces any that waits, so holding a key down through a folder of photos costs
// at most the one in hand and the last one asked for.
class PictureDecoder : public QObject {
    Q_OBJECT
public:
    explicit PictureDecoder(QObject* parent = nullptr);
    ~PictureDecoder() override;

    void request(const QString& path, QSize size);
    // Drops the request waiting and the result of the one in hand.
    void cancel();

signals:
    // The image is null when the picture could not be decoded.
    void decoded(const QString& path, QSize size, const QImage& image);

private:
    struct Request {
        QString path;
        QSize size;
    };
    void start(const Request& request);
    void finished();

    QFutureWatcher<QImage> m_watcher;
    std::optional<Request> m_current;
    std::optional<Request> m_waiting;
};
