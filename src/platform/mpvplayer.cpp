// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/mpvplayer.h"

#include "platform/drives.h"
#include "platform/filenames.h"
#include "platform/mediatracks.h"

#include <QDir>
#include <QFileInfo>
#include <mpv/client.h>

namespace {

// A track as mpv's aid and sid options name it: its number, or "no".
QByteArray trackOption(qint64 id)
{
    return id == kNoTrack ? QByteArray("no") : QByteArray::number(id);
}

std::optional<double> number(const QVariant& value)
{
    return value.isValid() ? std::optional(value.toDouble()) : std::nullopt;
}

// What the player follows of mpv, as mpv sends it rather than read back call by call: a read
// waits for mpv's core, and from the thread that draws the film that wait stalls the first
// frame of each start and seek, as the core then waits for the frame to be drawn.
// Not the track list: it is read once an item, at the hook, with the item's tags. Observed,
// mpv copies every field of every track at each of its changes while an item opens, and over
// a thousand songs the heap grew by 10 to 100 MB.
const struct {
    const char* name;
    mpv_format format;
    void (*apply)(MpvLiveState& live, const QVariant& value);
} kObserved[] = {
    {"time-pos", MPV_FORMAT_DOUBLE,
     [](MpvLiveState& live, const QVariant& value) { live.timePos = number(value); }},
    {"duration", MPV_FORMAT_DOUBLE,
     [](MpvLiveState& live, const QVariant& value) { live.duration = number(value); }},
    {"aid", MPV_FORMAT_STRING,
     [](MpvLiveState& live, const QVariant& value) { live.audio = value.toString(); }},
    {"sid", MPV_FORMAT_STRING,
     [](MpvLiveState& live, const QVariant& value) { live.subtitles = value.toString(); }},
};

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
    // What the user's mpv.conf may change...
    const std::vector<std::pair<const char*, QByteArray>> defaults = {
        {"audio-fallback-to-null", "yes"},
        {"volume", "100"},
        {"keepaspect", "yes"}, // fitted to the player's area, black bars where the shapes differ
        {"hwdec", defaultHardwareDecoding()},
        // Reads ahead for files on a network file system (NFS, SMB), which mpv tells from
        // local ones: a share that dozes off for a moment pauses the film, not the program.
        {"cache", "auto"},
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
        m_mpv.setOption(name, value);
    // A line mpv does not know only earns a warning in its log; the rest of the file applies.
    if (!settings.configFile.isEmpty() && QFileInfo(settings.configFile).isFile())
        m_mpv.loadConfigFile(settings.configFile);
    for (const auto& [name, value] : required)
        m_mpv.setOption(name, value);

    m_mpv.initialize();
    // The user's mpv.conf choosing tracks itself (by language or number) is left to choose.
    m_configuredAudio = m_mpv.getString("aid");
    m_configuredSubtitles = m_mpv.getString("sid");
    m_configuredTracks = !m_mpv.getString("alang").isEmpty() ||
                         !m_mpv.getString("slang").isEmpty() || m_configuredAudio != "auto" ||
                         m_configuredSubtitles != "auto";
    // Films decoded on the processor need none of mpv's ways of handing the card's frames to
    // GL, and loading them prints each missing driver's complaint ("Cannot load libcuda.so.1").
    // (Options are readable only once mpv is initialised; the render context comes later.)
    if (m_mpv.getString("hwdec") == "no" && m_mpv.getString("gpu-hwdec-interop") == "auto")
        m_mpv.setString("gpu-hwdec-interop", "no");
    // mpv waits at this hook until we have read the item's tracks and tags; read later, at
    // the loaded event, a short file may already be over and gone.
    m_mpv.addHook("on_preloaded");
    for (const auto& property : kObserved)
        m_mpv.observe(property.name, property.format);
    m_mpv.setWakeup(&MpvPlayer::wakeup, this);
}

MpvPlayer::~MpvPlayer()
{
    m_mpv.setWakeup(nullptr, nullptr);
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
        const mpv_event& event = m_mpv.nextEvent();
        if (event.event_id == MPV_EVENT_NONE)
            break;
        handleEvent(event);
    }
}

void MpvPlayer::handleEvent(const mpv_event& event)
{
    // Events are read after the fact, in the order mpv sent them: a position or a length that
    // follows an item's start is that item's, as a start clears the last item's. (Not the
    // tracks playing: mpv sends only changes, and the same track chosen again sends none.)
    switch (event.event_id) {
    case MPV_EVENT_START_FILE:
        m_live.timePos.reset();
        m_live.duration.reset();
        break;
    case MPV_EVENT_PROPERTY_CHANGE: {
        const auto& property = *static_cast<const mpv_event_property*>(event.data);
        for (const auto& observed : kObserved) {
            if (qstrcmp(property.name, observed.name) == 0)
                observed.apply(m_live, propertyValue(property.format, property.data));
        }
        break;
    }
    case MPV_EVENT_HOOK: {
        // mpv waits here for us: what is read now is the opening item's, and mpv's core
        // answers at once (later, reading while a film starts would wait for its first frame,
        // which this thread draws).
        m_preloaded = readLoadedMedia();
        m_preloadedIndex = m_mpv.getInt("playlist-pos").value_or(-1);
        if (m_preloadedIndex >= 0)
            m_preloaded->sourceURL = playlistFilename(m_preloadedIndex);
        chooseTracks(m_preloaded->tracks);
        m_mpv.continueHook(static_cast<const mpv_event_hook*>(event.data)->id);
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
    // Where it starts, until mpv sends where it is: the time shown agrees from the first tick.
    m_lastPosition = std::exchange(m_preloadedStart, 0);
    m_current = m_preloaded ? *std::exchange(m_preloaded, std::nullopt) : readLoadedMedia();
    m_currentIndex = std::exchange(m_preloadedIndex, -1);
    setState(PlayState::Playing);
    // A stop or pause asked for while the file was opening takes effect now it is open.
    switch (std::exchange(m_requestedWhileLoading, PlayState::Undefined)) {
    case PlayState::Stopped:
        m_mpv.command({"stop", "keep-playlist"});
        setState(PlayState::Stopped);
        break;
    case PlayState::Paused:
        setState(PlayState::Paused); // mpv has held the pause flag through the opening
        break;
    default:
        break;
    }
    emit NewStream();
    emit MediaChange(*currentMedia());
}

void MpvPlayer::onEndFile(const mpv_event& event)
{
    const auto* end = static_cast<const mpv_event_end_file*>(event.data);
    if (end->reason == MPV_END_FILE_REASON_STOP || end->reason == MPV_END_FILE_REASON_REDIRECT)
        return; // replaced or stopped on request: whoever asked has set the state
    const qint64 index = playlistIndexOfEntry(end->playlist_entry_id);
    const bool nextFollows = index >= 0 && index + 1 < playlistCount();

    if (end->reason == MPV_END_FILE_REASON_ERROR) {
        const QString path = index >= 0 ? playlistFilename(index) : QString();
        setState(nextFollows ? PlayState::Transitioning : PlayState::Undefined);
        if (!nextFollows)
            m_current.reset();
        emit Error(path, mpvErrorInSpanish(end->error));
        return;
    }
    setState(nextFollows ? PlayState::Transitioning : PlayState::Stopped);
}

CurrentMedia MpvPlayer::readLoadedMedia() const
{
    CurrentMedia media;
    media.sourceURL = fileNameFromBytes(m_mpv.getString("path"));
    media.tracks = tracksFromMpv(m_mpv.getNode("track-list"));
    media.mediaType = mediaTypeOf(media.tracks);
    media.artist = QString::fromUtf8(m_mpv.getString("metadata/by-key/Artist"));
    media.title = QString::fromUtf8(m_mpv.getString("metadata/by-key/Title"));
    media.album = QString::fromUtf8(m_mpv.getString("metadata/by-key/Album"));
    media.duration = m_mpv.getDouble("duration").value_or(0);
    return media;
}

void MpvPlayer::setURL(const QString& path)
{
    openAt(path, StartPoint{});
}

void MpvPlayer::openAt(const QString& path, const StartPoint& start)
{
    emit aboutToOpen();
    m_mpv.setFlag("pause", false);
    m_start = start;
    if (start.seconds > 0)
        m_mpv.command({"loadfile", fileNameBytes(path), "replace",
                       "start=" + QByteArray::number(start.seconds, 'f', 3)});
    else
        m_mpv.command({"loadfile", fileNameBytes(path), "replace"});
    setState(PlayState::Transitioning); // until it is loaded or fails
    m_requestedWhileLoading = PlayState::Undefined;
}

void MpvPlayer::chooseTracks(const QList<MediaTrack>& tracks)
{
    // The tracks asked for with the item, else the program's choice unless mpv.conf makes its
    // own; set for every item, as a choice made on the last one would hold for this one too.
    const StartPoint asked = std::exchange(m_start, StartPoint{});
    m_preloadedStart = asked.seconds;
    const StartPoint chosen = m_configuredTracks ? StartPoint{} : firstTrackChoice(tracks);
    const auto value = [](const std::optional<qint64>& askedId,
                          const std::optional<qint64>& chosenId, const QByteArray& configured) {
        const std::optional<qint64> id = askedId ? askedId : chosenId;
        return id ? trackOption(*id) : configured;
    };
    m_mpv.setString("aid", value(asked.audio, chosen.audio, m_configuredAudio));
    m_mpv.setString("sid", value(asked.subtitles, chosen.subtitles, m_configuredSubtitles));
}

std::optional<qint64> MpvPlayer::selectedTrack(const QString& type) const
{
    const QString& value = type == u"audio" ? m_live.audio : m_live.subtitles;
    if (!m_current || value.isEmpty())
        return std::nullopt;
    bool isNumber = false;
    const qint64 id = value.toLongLong(&isNumber);
    return isNumber ? id : kNoTrack;
}

void MpvPlayer::selectTrack(const QString& type, qint64 id)
{
    m_mpv.setString(type == u"audio" ? "aid" : "sid", trackOption(id));
}

void MpvPlayer::clearPlaylist()
{
    m_mpv.command({"stop"}); // also empties mpv's playlist
    setState(PlayState::Undefined);
    m_current.reset();
    m_currentIndex = -1;
}

void MpvPlayer::appendItem(const MediaItem& item)
{
    emit aboutToOpen();
    m_mpv.command({"loadfile", fileNameBytes(item.sourceURL), "append"});
}

void MpvPlayer::play()
{
    switch (m_state) {
    case PlayState::Paused:
        m_mpv.setFlag("pause", false);
        setState(PlayState::Playing);
        break;
    case PlayState::Stopped:
        // Play the current item again from the start.
        m_mpv.setFlag("pause", false);
        if (m_currentIndex >= 0 && m_currentIndex < playlistCount())
            setPlaylistPosition(m_currentIndex);
        else if (m_current)
            m_mpv.command({"loadfile", fileNameBytes(m_current->sourceURL), "replace"});
        setState(PlayState::Transitioning);
        break;
    case PlayState::Undefined:
        if (playlistCount() > 0) {
            m_mpv.setFlag("pause", false);
            setPlaylistPosition(0);
            setState(PlayState::Transitioning);
        }
        break;
    case PlayState::Transitioning:
        if (std::exchange(m_requestedWhileLoading, PlayState::Undefined) == PlayState::Paused)
            m_mpv.setFlag("pause", false);
        break;
    case PlayState::Playing:
        break;
    }
}

void MpvPlayer::pause()
{
    if (m_state == PlayState::Transitioning) {
        m_mpv.setFlag("pause", true);
        m_requestedWhileLoading = PlayState::Paused;
        return;
    }
    if (m_state != PlayState::Playing)
        return;
    m_mpv.setFlag("pause", true);
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
    m_mpv.command({"stop", "keep-playlist"});
    setState(PlayState::Stopped);
}

std::optional<double> MpvPlayer::currentPosition() const
{
    switch (m_state) {
    case PlayState::Playing:
    case PlayState::Paused:
        // mpv has no position for a moment while it seeks; the last one known stands in.
        if (m_live.timePos)
            m_lastPosition = *m_live.timePos;
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
    m_mpv.command({"seek", QByteArray::number(seconds, 'f', 3), "absolute+exact"});
    // Where it goes, until mpv sends where it is: not where it was before the seek.
    m_lastPosition = seconds;
    m_live.timePos.reset();
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
        if (m_live.duration)
            media.duration = *m_live.duration;
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

void MpvPlayer::setState(PlayState state)
{
    if (std::exchange(m_state, state) != state)
        emit playStateChanged();
}

void MpvPlayer::setPlaylistPosition(qint64 index)
{
    m_mpv.setString("playlist-pos", QByteArray::number(index));
}

qint64 MpvPlayer::playlistCount() const
{
    return m_mpv.getInt("playlist-count").value_or(0);
}

qint64 MpvPlayer::playlistIndexOfEntry(qint64 entryId) const
{
    const qint64 count = playlistCount();
    for (qint64 i = 0; i < count; ++i) {
        if (m_mpv.getInt("playlist/" + QByteArray::number(i) + "/id") == entryId)
            return i;
    }
    return -1;
}

QString MpvPlayer::playlistFilename(qint64 index) const
{
    return fileNameFromBytes(
        m_mpv.getString("playlist/" + QByteArray::number(index) + "/filename"));
}
