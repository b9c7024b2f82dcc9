#include "platform/mpvplayer.h"

#include "platform/drives.h"
#include "platform/filenames.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <clocale>
#include <mpv/client.h>

Q_LOGGING_CATEGORY(lcPlayer, "sofavio.player")

namespace {

// A request mpv refused is not fatal to the program, but should never pass unseen.
int logged(int result, const char* call, const QByteArray& what)
{
    if (result < 0)
        qCWarning(lcPlayer, "%s %s: %s", call, what.constData(), mpv_error_string(result));
    return result;
}

QString spanishReason(int error)
{
    switch (error) {
    case MPV_ERROR_UNKNOWN_FORMAT:
        return QStringLiteral("el formato del archivo no se reconoce");
    case MPV_ERROR_LOADING_FAILED:
        return QStringLiteral("el archivo no se pudo abrir");
    case MPV_ERROR_NOTHING_TO_PLAY:
        return QStringLiteral("el archivo no contiene sonido ni imagen que reproducir");
    case MPV_ERROR_AO_INIT_FAILED:
        return QStringLiteral("no se pudo iniciar la salida de sonido");
    case MPV_ERROR_VO_INIT_FAILED:
        return QStringLiteral("no se pudo iniciar la salida de vídeo");
    default:
        return QStringLiteral("error del reproductor (%1)")
            .arg(QString::fromUtf8(mpv_error_string(error)));
    }
}

} // namespace

QByteArray defaultHardwareDecoding(const QString& devices)
{
    const bool renderNode = !QDir(devices + QStringLiteral("/dri"), QStringLiteral("renderD*"),
                                  QDir::NoSort, QDir::System | QDir::Files)
                                 .isEmpty();
    const bool nvidia = QFileInfo::exists(devices + QStringLiteral("/nvidia0"));
    return renderNode || nvidia ? "auto-safe" : "no";
}

MpvPlayer::MpvPlayer(const Drives& drives, const MpvSettings& settings, QObject* parent)
    : MediaPlayer(parent), m_drives(drives)
{
    // libmpv refuses to start under a locale whose decimal separator is not a dot.
    std::setlocale(LC_NUMERIC, "C");
    m_mpv = mpv_create();
    if (!m_mpv)
        qFatal("libmpv could not be created");

    // What the user's mpv.conf may change...
    const std::vector<std::pair<const char*, QByteArray>> defaults = {
        {"audio-fallback-to-null", "yes"},
        {"volume", "100"},
        {"keepaspect", "yes"}, // fitted to the player's area, black bars where the shapes differ
        {"hwdec", defaultHardwareDecoding()},
    };
    // ...and what the program relies on, set again after that file.
    std::vector<std::pair<const char*, QByteArray>> required = {
        {"config", "no"},
        {"terminal", "no"},
        {"idle", "yes"},
        {"keep-open", "no"}, // a file that ends must end, or the folder walk stops there
        {"vo", settings.videoOutput.toUtf8()},
        {"input-default-bindings", "no"},
        {"input-vo-keyboard", "no"},
        {"osc", "no"},
        {"load-scripts", "no"},
        {"ytdl", "no"},
    };
    if (!settings.audioOutput.isEmpty())
        required.emplace_back("ao", settings.audioOutput.toUtf8());
    for (const auto& [name, value] : settings.extraOptions)
        required.emplace_back(name.constData(), value);

    for (const auto& [name, value] : defaults)
        logged(mpv_set_option_string(m_mpv, name, value.constData()), "option", name);
    // A line mpv does not know only earns a warning in its log; the rest of the file applies.
    if (!settings.configFile.isEmpty() && QFileInfo(settings.configFile).isFile())
        logged(mpv_load_config_file(m_mpv, QFile::encodeName(settings.configFile).constData()),
               "config file", QFile::encodeName(settings.configFile));
    for (const auto& [name, value] : required)
        logged(mpv_set_option_string(m_mpv, name, value.constData()), "option", name);

    if (mpv_initialize(m_mpv) < 0)
        qFatal("libmpv could not be initialised");
    // Films decoded on the processor need none of mpv's ways of handing the card's frames to
    // GL, and loading them prints each missing driver's complaint ("Cannot load libcuda.so.1").
    // (Options are readable only once mpv is initialised; the render context comes later.)
    if (bytesProperty("hwdec") == "no" && bytesProperty("gpu-hwdec-interop") == "auto")
        logged(mpv_set_property_string(m_mpv, "gpu-hwdec-interop", "no"), "option",
               "gpu-hwdec-interop");
    // mpv waits at this hook until we have read the item's tracks and tags; read later, at
    // the loaded event, a short file may already be over and gone.
    logged(mpv_hook_add(m_mpv, 0, "on_preloaded", 0), "hook", "on_preloaded");
    // The position and the length are read many times a second, and a read waits for mpv's
    // core; from the thread that draws the film, that wait stalls the first frame of each start
    // and seek, as the core then waits for the frame to be drawn. mpv sends them instead.
    logged(mpv_observe_property(m_mpv, 0, "time-pos", MPV_FORMAT_DOUBLE), "observe", "time-pos");
    logged(mpv_observe_property(m_mpv, 0, "duration", MPV_FORMAT_DOUBLE), "observe", "duration");
    mpv_set_wakeup_callback(m_mpv, &MpvPlayer::wakeup, this);
}

MpvPlayer::~MpvPlayer()
{
    mpv_set_wakeup_callback(m_mpv, nullptr, nullptr);
    mpv_terminate_destroy(m_mpv);
}

void MpvPlayer::wakeup(void* context)
{
    // Called on an mpv thread: only queue one drain on the GUI thread.
    auto* self = static_cast<MpvPlayer*>(context);
    if (!self->m_drainQueued.exchange(true))
        QMetaObject::invokeMethod(self, &MpvPlayer::drainEvents, Qt::QueuedConnection);
}

void MpvPlayer::drainEvents()
{
    m_drainQueued = false;
    for (;;) {
        const mpv_event* event = mpv_wait_event(m_mpv, 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        handleEvent(*event);
    }
}

void MpvPlayer::handleEvent(const mpv_event& event)
{
    switch (event.event_id) {
    case MPV_EVENT_START_FILE:
        m_timePos.reset(); // the last item's, until mpv sends this one's
        m_duration.reset();
        break;
    case MPV_EVENT_PROPERTY_CHANGE: {
        const auto* property = static_cast<const mpv_event_property*>(event.data);
        const std::optional<double> value =
            property->format == MPV_FORMAT_DOUBLE
                ? std::optional(*static_cast<const double*>(property->data))
                : std::nullopt;
        if (qstrcmp(property->name, "time-pos") == 0)
            m_timePos = value;
        else if (qstrcmp(property->name, "duration") == 0)
            m_duration = value;
        break;
    }
    case MPV_EVENT_HOOK: {
        // Events are read after the fact, but mpv waits here for us: what is read now is the
        // opening item's, and mpv's core answers at once (later, reading while a film starts
        // would wait for its first frame, which this thread draws).
        const auto* hook = static_cast<const mpv_event_hook*>(event.data);
        m_preloaded = readLoadedMedia();
        m_preloadedIndex = intProperty("playlist-pos", -1);
        if (m_preloadedIndex >= 0)
            m_preloaded->sourceURL = playlistFilename(m_preloadedIndex);
        logged(mpv_hook_continue(m_mpv, hook->id), "hook", "continue");
        break;
    }
    case MPV_EVENT_FILE_LOADED:
        onFileLoaded();
        break;
    case MPV_EVENT_END_FILE:
        onEndFile(event);
        break;
    default:
        break;
    }
}

void MpvPlayer::onFileLoaded()
{
    m_lastPosition = 0;
    m_current = m_preloaded ? *std::exchange(m_preloaded, std::nullopt) : readLoadedMedia();
    m_currentIndex = std::exchange(m_preloadedIndex, -1);
    setState(PlayState::Playing);
    // A stop or pause asked for while the file was opening takes effect now it is open.
    switch (std::exchange(m_requestedWhileLoading, PlayState::Undefined)) {
    case PlayState::Stopped:
        command({"stop", "keep-playlist"});
        setState(PlayState::Stopped);
        break;
    case PlayState::Paused:
        setState(PlayState::Paused); // mpv has held the pause flag through the opening
        break;
    default:
        break;
    }
    emit NewStream();
    emit MediaChange(MediaItem{m_current->sourceURL});
}

void MpvPlayer::onEndFile(const mpv_event& event)
{
    const auto* end = static_cast<const mpv_event_end_file*>(event.data);
    if (end->reason == MPV_END_FILE_REASON_STOP || end->reason == MPV_END_FILE_REASON_REDIRECT)
        return; // replaced or stopped on request: whoever asked has set the state
    const qint64 index = playlistIndexOfEntry(end->playlist_entry_id);
    const bool nextFollows = index >= 0 && index + 1 < intProperty("playlist-count", 0);

    if (end->reason == MPV_END_FILE_REASON_ERROR) {
        const QString path = index >= 0 ? playlistFilename(index) : QString();
        setState(nextFollows ? PlayState::Transitioning : PlayState::Undefined);
        if (!nextFollows)
            m_current.reset();
        emit Error(path, spanishReason(end->error));
        return;
    }
    setState(nextFollows ? PlayState::Transitioning : PlayState::Stopped);
}

CurrentMedia MpvPlayer::readLoadedMedia() const
{
    CurrentMedia media;
    media.sourceURL = fileNameFromBytes(bytesProperty("path"));
    bool hasAudio = false;
    bool hasVideo = false;
    const qint64 tracks = intProperty("track-list/count", 0);
    for (qint64 i = 0; i < tracks; ++i) {
        const QByteArray prefix = "track-list/" + QByteArray::number(i) + '/';
        const QString type = stringProperty(prefix + "type");
        if (type == u"audio")
            hasAudio = true;
        // A cover picture of an audio file is a video track too, but not a video.
        if (type == u"video" && !flagProperty(prefix + "albumart"))
            hasVideo = true;
    }
    media.mediaType = hasVideo   ? QStringLiteral("video")
                      : hasAudio ? QStringLiteral("audio")
                                 : QString();
    media.artist = stringProperty("metadata/by-key/Artist");
    media.title = stringProperty("metadata/by-key/Title");
    media.album = stringProperty("metadata/by-key/Album");
    media.duration = doubleProperty("duration").value_or(0);
    return media;
}

void MpvPlayer::setURL(const QString& path)
{
    emit aboutToOpen();
    setFlag("pause", false);
    command({"loadfile", fileNameBytes(path), "replace"});
    setState(PlayState::Transitioning); // until it is loaded or fails
    m_requestedWhileLoading = PlayState::Undefined;
}

void MpvPlayer::clearPlaylist()
{
    command({"stop"}); // also empties mpv's playlist
    setState(PlayState::Undefined);
    m_current.reset();
    m_currentIndex = -1;
}

void MpvPlayer::appendItem(const MediaItem& item)
{
    emit aboutToOpen();
    command({"loadfile", fileNameBytes(item.sourceURL), "append"});
}

void MpvPlayer::play()
{
    switch (m_state) {
    case PlayState::Paused:
        setFlag("pause", false);
        setState(PlayState::Playing);
        break;
    case PlayState::Stopped:
        // Play the current item again from the start.
        setFlag("pause", false);
        if (m_currentIndex >= 0 && m_currentIndex < intProperty("playlist-count", 0))
            setPlaylistPosition(m_currentIndex);
        else if (m_current)
            command({"loadfile", fileNameBytes(m_current->sourceURL), "replace"});
        setState(PlayState::Transitioning);
        break;
    case PlayState::Undefined:
        if (intProperty("playlist-count", 0) > 0) {
            setFlag("pause", false);
            setPlaylistPosition(0);
            setState(PlayState::Transitioning);
        }
        break;
    case PlayState::Transitioning:
        if (std::exchange(m_requestedWhileLoading, PlayState::Undefined) == PlayState::Paused)
            setFlag("pause", false);
        break;
    case PlayState::Playing:
        break;
    }
}

void MpvPlayer::pause()
{
    if (m_state == PlayState::Transitioning) {
        setFlag("pause", true);
        m_requestedWhileLoading = PlayState::Paused;
        return;
    }
    if (m_state != PlayState::Playing)
        return;
    setFlag("pause", true);
    setState(PlayState::Paused);
}

void MpvPlayer::stop()
{
    if (m_state == PlayState::Transitioning) {
        m_requestedWhileLoading = PlayState::Stopped;
        return;
    }
    if (m_state != PlayState::Playing && m_state != PlayState::Paused)
        return;
    command({"stop", "keep-playlist"});
    setState(PlayState::Stopped);
}

std::optional<double> MpvPlayer::currentPosition() const
{
    switch (m_state) {
    case PlayState::Playing:
    case PlayState::Paused:
        // mpv has no position for a moment while it seeks; the last one known stands in.
        if (m_timePos)
            m_lastPosition = *m_timePos;
        return m_lastPosition;
    case PlayState::Stopped:
        return 0.0;
    default:
        return std::nullopt;
    }
}

bool MpvPlayer::setCurrentPosition(double seconds)
{
    if (m_state != PlayState::Playing && m_state != PlayState::Paused)
        return false;
    command({"seek", QByteArray::number(seconds, 'f', 3), "absolute+exact"});
    // Where it goes, until mpv sends where it is: not where it was before the seek.
    m_lastPosition = seconds;
    m_timePos.reset();
    return true;
}

PlayState MpvPlayer::playState() const
{
    return m_state;
}

std::optional<CurrentMedia> MpvPlayer::currentMedia() const
{
    if (!m_current)
        return std::nullopt;
    CurrentMedia media = *m_current;
    if (m_state == PlayState::Playing || m_state == PlayState::Paused) {
        // Some containers only know their length once playback has begun.
        if (m_duration)
            media.duration = *m_duration;
    }
    return media;
}

std::optional<QString> MpvPlayer::opticalDriveSpecifier(int index) const
{
    const auto drives = m_drives.opticalDrives();
    if (!drives || index < 0 || std::size_t(index) >= drives->size())
        return std::nullopt;
    return QString((*drives)[std::size_t(index)].letter) + u':';
}

QByteArray MpvPlayer::bytesProperty(const QByteArray& name) const
{
    char* value = mpv_get_property_string(m_mpv, name.constData());
    if (!value)
        return {};
    const QByteArray bytes(value);
    mpv_free(value);
    return bytes;
}

QString MpvPlayer::stringProperty(const QByteArray& name) const
{
    return QString::fromUtf8(bytesProperty(name));
}

std::optional<double> MpvPlayer::doubleProperty(const QByteArray& name) const
{
    double value = 0;
    if (mpv_get_property(m_mpv, name.constData(), MPV_FORMAT_DOUBLE, &value) < 0)
        return std::nullopt;
    return value;
}

qint64 MpvPlayer::intProperty(const QByteArray& name, qint64 fallback) const
{
    int64_t value = 0;
    if (mpv_get_property(m_mpv, name.constData(), MPV_FORMAT_INT64, &value) < 0)
        return fallback;
    return value;
}

bool MpvPlayer::flagProperty(const QByteArray& name) const
{
    int flag = 0;
    return mpv_get_property(m_mpv, name.constData(), MPV_FORMAT_FLAG, &flag) >= 0 && flag != 0;
}

void MpvPlayer::setState(PlayState state)
{
    if (std::exchange(m_state, state) != state)
        emit playStateChanged();
}

void MpvPlayer::setFlag(const char* name, bool value) const
{
    int flag = value ? 1 : 0;
    logged(mpv_set_property(m_mpv, name, MPV_FORMAT_FLAG, &flag), "property", name);
}

void MpvPlayer::setPlaylistPosition(qint64 index) const
{
    logged(mpv_set_property_string(m_mpv, "playlist-pos", QByteArray::number(index).constData()),
           "property", "playlist-pos");
}

void MpvPlayer::command(std::initializer_list<QByteArray> arguments) const
{
    std::vector<const char*> argv;
    for (const QByteArray& argument : arguments)
        argv.push_back(argument.constData());
    argv.push_back(nullptr);
    logged(mpv_command(m_mpv, argv.data()), "command", arguments.begin()->constData());
}

qint64 MpvPlayer::playlistIndexOfEntry(qint64 entryId) const
{
    const qint64 count = intProperty("playlist-count", 0);
    for (qint64 i = 0; i < count; ++i) {
        if (intProperty("playlist/" + QByteArray::number(i) + "/id", -1) == entryId)
            return i;
    }
    return -1;
}

QString MpvPlayer::playlistFilename(qint64 index) const
{
    return fileNameFromBytes(bytesProperty("playlist/" + QByteArray::number(index) + "/filename"));
}
