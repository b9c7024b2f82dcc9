#include "media/playback.h"

#include "platform/filenames.h"
#include "platform/filesystem.h"

#include <algorithm>
#include <cmath>

namespace {

bool isVideo(const std::optional<CurrentMedia>& media)
{
    return media && media->mediaType == u"video";
}

// The position in whole seconds, halves to the even one, as the A-B marks keep it.
std::optional<qint32> positionInSeconds(const MediaPlayer& player)
{
    const auto position = player.currentPosition();
    if (!position || !std::isfinite(*position))
        return std::nullopt;
    return qint32(std::nearbyint(std::clamp(*position, 0.0, 2147483647.0)));
}

} // namespace

Playback::Playback(MediaPlayer& player, QObject* parent) : QObject(parent), m_player(player)
{
    connect(&player, &MediaPlayer::playStateChanged, this, &Playback::stateChanged);
    connect(&player, &MediaPlayer::MediaChange, this, &Playback::mediaChanged);
}

QString Playback::trackPath() const
{
    return BuildPath(File2.path, File2.entries.at(TrackIndex));
}

void Playback::playFile(const QString& path)
{
    StoppedByUser = false;
    m_player.setURL(path);
    m_player.play();
}

void Playback::playList(const QStringList& paths)
{
    m_player.clearPlaylist();
    for (const QString& path : paths)
        m_player.appendItem(m_player.newMedia(path));
    m_player.play();
}

bool Playback::playTrack()
{
    if (TrackIndex < 0 || TrackIndex >= File2.entries.size())
        return false;
    m_player.setURL(trackPath());
    m_player.play();
    return true;
}

bool Playback::playNextSong()
{
    ++TrackIndex;
    if (TrackIndex > File2.entries.size() - 1) {
        TrackIndex = 0;
        return false;
    }
    m_advancingTo = trackPath();
    return playTrack();
}

// PREV and NEXT through the songs of the folder: false at either end, where nothing opens.
bool Playback::stepTrack(int step)
{
    const int last = int(File2.entries.size()) - 1;
    TrackIndex += step;
    if (TrackIndex < 0 || TrackIndex > last) {
        TrackIndex = TrackIndex < 0 ? 0 : last;
        return false;
    }
    playTrack();
    return true;
}

bool Playback::stepForward()
{
    const auto media = m_player.currentMedia();
    if (!isVideo(media))
        return stepTrack(+1);
    const auto position = m_player.currentPosition();
    if (position && *position + 10 < media->duration)
        m_player.setCurrentPosition(*position + 10);
    return true;
}

bool Playback::stepBack()
{
    if (!isVideo(m_player.currentMedia()))
        return stepTrack(-1);
    const float step = m_jumpBarLength / 10;
    const auto position = m_player.currentPosition();
    if (position && *position - step > 0)
        m_player.setCurrentPosition(*position - step);
    return true;
}

void Playback::stopByUser()
{
    StoppedByUser = true;
    m_player.stop();
}

void Playback::resume()
{
    m_player.play();
}

void Playback::pause()
{
    m_player.pause();
}

void Playback::togglePause()
{
    if (m_player.playState() == PlayState::Paused)
        resume();
    else
        pause();
}

void Playback::markA()
{
    if (const auto mark = positionInSeconds(m_player)) {
        MarkA = *mark;
        const auto media = m_player.currentMedia();
        m_markASource = media ? media->sourceURL : QString();
    }
    RepeatAB = false;
}

void Playback::toggleRepeatAB()
{
    if (RepeatAB) {
        RepeatAB = false;
        return;
    }
    // Without a position, or with the item stopped at its start, there is nothing to repeat;
    // an old B would loop the next file, a B of 0 restart it every second.
    const bool going =
        m_player.playState() == PlayState::Playing || m_player.playState() == PlayState::Paused;
    const auto mark = positionInSeconds(m_player);
    if (!mark || !going)
        return;
    MarkB = *mark;
    RepeatAB = true;
    const auto media = m_player.currentMedia();
    m_repeatSource = media ? media->sourceURL : QString();
    if (!m_markASource.isEmpty() && m_markASource != m_repeatSource)
        MarkA = 0; // an A of another file marks nothing: from the start
}

bool Playback::tick()
{
    // A song the folder walk reached could not be played: the walk goes on past it.
    if (std::exchange(m_failedToAdvance, false) && !StoppedByUser && !playNextSong())
        return false;
    if (m_player.playState() == PlayState::Stopped && !StoppedByUser && !m_endHandled) {
        m_endHandled = true;
        RepeatAB = false;
        const auto media = m_player.currentMedia();
        if (media && media->mediaType == u"audio" && !playNextSong())
            return false;
    }
    const auto position = m_player.currentPosition();
    if (RepeatAB && position && *position > MarkB) {
        m_player.setCurrentPosition(MarkA);
        m_player.play();
    }
    return true;
}

void Playback::itemChanged(const std::optional<CurrentMedia>& media)
{
    m_endHandled = false;
    if (!media)
        return;
    if (media->sourceURL != m_repeatSource)
        RepeatAB = false;
    if (media->mediaType == u"audio" && File2.setPath(GetParentFolderName(media->sourceURL))) {
        const QString name = GetFileName(media->sourceURL);
        for (int i = 0; i < File2.entries.size(); ++i) {
            if (File2.entries.at(i) == name)
                TrackIndex = i;
        }
    }
}

void Playback::itemFailed(const QString& path)
{
    if (!path.isEmpty() && path == m_advancingTo)
        m_failedToAdvance = true;
}
