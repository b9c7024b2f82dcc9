#include "playback/mpris.h"

#include "form/frmmain.h"
#include "platform/filenames.h"
#include "platform/mediaplayer.h"
#include "playback/transport.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QUrl>
#include <QWidget>

namespace {

constexpr auto kObjectPath = "/org/mpris/MediaPlayer2";
constexpr double kMicroseconds = 1e6;

// A file: address naming the file's exact bytes.
QString fileUrl(const QString& path)
{
    return QStringLiteral("file://") +
           QString::fromLatin1(fileNameBytes(path).toPercentEncoding("/"));
}

MediaPlayer& player(MprisService& service)
{
    return service.window().services().player;
}

} // namespace

MprisService::MprisService(FrmMain& window) : QObject(window.widget), m_window(window)
{
    new MprisRoot(*this);
    new MprisPlayer(*this);
    MediaPlayer& mediaPlayer = window.services().player;
    connect(&mediaPlayer, &MediaPlayer::MediaChange, this, [this] {
        ++m_track;
        announceChanges();
    });
    connect(&mediaPlayer, &MediaPlayer::playStateChanged, this, &MprisService::announceChanges);
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
    switch (m_window.services().player.playState()) {
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
    const auto media = m_window.services().player.currentMedia();
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
    m_service.window().widget->raise();
    m_service.window().widget->activateWindow();
}

void MprisRoot::Quit()
{
    m_service.window().widget->close();
}

MprisPlayer::MprisPlayer(MprisService& service) : QDBusAbstractAdaptor(&service), m_service(service)
{
}

qlonglong MprisPlayer::position() const
{
    return qlonglong(player(m_service).currentPosition().value_or(0) * kMicroseconds);
}

void MprisPlayer::Play()
{
    resume(m_service.window());
}

void MprisPlayer::Pause()
{
    pause(m_service.window());
}

void MprisPlayer::PlayPause()
{
    togglePause(m_service.window());
}

void MprisPlayer::Stop()
{
    stopByUser(m_service.window());
}

void MprisPlayer::Next()
{
    stepForward(m_service.window());
}

void MprisPlayer::Previous()
{
    stepBack(m_service.window());
}

void MprisPlayer::Seek(qlonglong offset)
{
    const auto now = player(m_service).currentPosition();
    if (now && player(m_service).setCurrentPosition(std::max(0.0, *now + offset / kMicroseconds)))
        emit Seeked(position());
}

void MprisPlayer::SetPosition(const QDBusObjectPath& trackId, qlonglong target)
{
    const QVariant current = m_service.metadata().value(QStringLiteral("mpris:trackid"));
    if (current.value<QDBusObjectPath>() != trackId || target < 0)
        return; // meant for another track
    if (player(m_service).setCurrentPosition(target / kMicroseconds))
        emit Seeked(target);
}

void MprisPlayer::OpenUri(const QString& uri)
{
    const QUrl url(uri);
    if (!url.isLocalFile())
        return;
    // The encoded form keeps bytes that are not UTF-8, which toLocalFile() would lose.
    const QByteArray encoded = url.path(QUrl::FullyEncoded).toLatin1();
    playFile(m_service.window(), fileNameFromBytes(QByteArray::fromPercentEncoding(encoded)));
}
