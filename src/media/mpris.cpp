// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/mpris.h"

#include "media/playback.h"
#include "platform/filenames.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QUrl>

namespace {

constexpr auto kObjectPath = "/org/mpris/MediaPlayer2";
constexpr double kMicroseconds = 1e6;

// A file: address naming the file's exact bytes.
QString fileUrl(const QString& path)
{
    return QStringLiteral("file://") +
           QString::fromLatin1(fileNameBytes(path).toPercentEncoding("/"));
}

} // namespace

MprisService::MprisService(Playback& playback, QObject* parent)
    : QObject(parent), m_playback(playback)
{
    new MprisRoot(*this);
    new MprisPlayer(*this);
    connect(&playback, &Playback::mediaChanged, this, [this] {
        ++m_track;
        announceChanges();
    });
    connect(&playback, &Playback::stateChanged, this, &MprisService::announceChanges);
    m_status = playbackStatus();
    m_metadata = metadata();
}

bool MprisService::publish()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.registerObject(QString::fromLatin1(kObjectPath), this) &&
           bus.registerService(QStringLiteral("org.mpris.MediaPlayer2.sofavio"));
}

QString MprisService::playbackStatus() const
{
    switch (m_playback.playState()) {
    case PlayState::Playing:
    case PlayState::Transitioning:
        return QStringLiteral("Playing");
    case PlayState::Paused:
        return QStringLiteral("Paused");
    default:
        return QStringLiteral("Stopped");
    }
}

QVariantMap MprisService::metadata() const
{
    const auto media = m_playback.currentMedia();
    if (!media)
        return {
            {QStringLiteral("mpris:trackid"),
             QVariant::fromValue(QDBusObjectPath("/org/mpris/MediaPlayer2/TrackList/NoTrack"))}};
    QVariantMap data{
        {QStringLiteral("mpris:trackid"),
         QVariant::fromValue(
             QDBusObjectPath(QStringLiteral("/org/sofavio/track/%1").arg(m_track)))},
        {QStringLiteral("mpris:length"), qlonglong(media->duration * kMicroseconds)},
        {QStringLiteral("xesam:url"), fileUrl(media->sourceURL)},
        {QStringLiteral("xesam:title"), media->title},
        {QStringLiteral("xesam:album"), media->album},
    };
    if (!media->artist.isEmpty())
        data.insert(QStringLiteral("xesam:artist"), QStringList{media->artist});
    return data;
}

void MprisService::announceChanges()
{
    QVariantMap changed;
    if (const QString status = playbackStatus(); status != m_status) {
        m_status = status;
        changed.insert(QStringLiteral("PlaybackStatus"), status);
    }
    if (const QVariantMap data = metadata(); data != m_metadata) {
        m_metadata = data;
        changed.insert(QStringLiteral("Metadata"), data);
    }
    if (changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(
        QString::fromLatin1(kObjectPath), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"));
    signal << QStringLiteral("org.mpris.MediaPlayer2.Player") << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

MprisRoot::MprisRoot(MprisService& service) : QDBusAbstractAdaptor(&service), m_service(service) {}

void MprisRoot::Raise()
{
    emit m_service.raiseRequested();
}

void MprisRoot::Quit()
{
    emit m_service.quitRequested();
}

MprisPlayer::MprisPlayer(MprisService& service) : QDBusAbstractAdaptor(&service), m_service(service)
{
}

qlonglong MprisPlayer::position() const
{
    return qlonglong(m_service.playback().position().value_or(0) * kMicroseconds);
}

void MprisPlayer::Play()
{
    m_service.playback().resume();
}

void MprisPlayer::Pause()
{
    m_service.playback().pause();
}

void MprisPlayer::PlayPause()
{
    m_service.playback().togglePause();
}

void MprisPlayer::Stop()
{
    m_service.playback().stopByUser();
}

void MprisPlayer::Next()
{
    m_service.playback().stepForward();
}

void MprisPlayer::Previous()
{
    m_service.playback().stepBack();
}

void MprisPlayer::Seek(qlonglong offset)
{
    const auto now = m_service.playback().position();
    if (now && m_service.playback().seek(std::max(0.0, *now + offset / kMicroseconds)))
        emit Seeked(position());
}

void MprisPlayer::SetPosition(const QDBusObjectPath& trackId, qlonglong target)
{
    const QVariant current = m_service.metadata().value(QStringLiteral("mpris:trackid"));
    if (current.value<QDBusObjectPath>() != trackId || target < 0)
        return; // meant for another track
    if (m_service.playback().seek(target / kMicroseconds))
        emit Seeked(target);
}

void MprisPlayer::OpenUri(const QString& uri)
{
    const QUrl url(uri);
    if (!url.isLocalFile())
        return;
    // The encoded form keeps bytes that are not UTF-8, which toLocalFile() would lose.
    const QByteArray encoded = url.path(QUrl::FullyEncoded).toLatin1();
    m_service.playback().playFile(fileNameFromBytes(QByteArray::fromPercentEncoding(encoded)));
}
