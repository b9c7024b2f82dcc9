// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/playback.h"

#include "platform/filenames.h"
#include "platform/filesystem.h"
#include "platform/mediatracks.h"

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

Playback::~Playback()
{
    keepWhereFilmIs();
}

void Playback::playFile(const QString& path, const std::optional<StartPoint>& from)
{
    ++m_playsAsked;
    keepWhereFilmIs();
    StoppedByUser = false;
    if (from)
        m_player.openAt(path, *from);
    else
        m_player.setURL(path);
    m_player.play();
}

void Playback::followFilm()
{
    const auto state = m_player.playState();
    const auto media = m_player.currentMedia();
    const auto position = m_player.currentPosition();
    if ((state != PlayState::Playing && state != PlayState::Paused) || !isVideo(media) || !position)
        return;
    const FilmWatched now{media->sourceURL, media->duration,
                          StartPoint{*position, m_player.selectedTrack(QStringLiteral("audio")),
                                     m_player.selectedTrack(QStringLiteral("sub"))}};
    if (m_film == now)
        return; // paused: nothing new to keep
    const bool another = !m_film || m_film->path != now.path;
    m_film = now;
    m_filmUnkept = true;
    if (another)
        identifyFilm(now.path);
}

void Playback::keepFilmPoint()
{
    m_ticksUnkept = 0;
    // The list is written whole: only when the film has moved since it was last kept.
    // A film the disc has not told about yet is kept at a later tick.
    if (!m_film || !m_filmId || m_filmId->path != fileNameBytes(m_film->path))
        return;
    if (std::exchange(m_filmUnkept, false))
        m_resume.remember(*m_filmId, m_film->duration, m_film->point);
}

void Playback::keepWhereFilmIs()
{
    followFilm();
    keepFilmPoint();
}

namespace {

// The tracks of that type, in the film's order.
QList<MediaTrack> tracksOf(const std::optional<CurrentMedia>& media, const QString& type)
{
    QList<MediaTrack> tracks;
    if (media) {
        for (const MediaTrack& track : media->tracks) {
            if (track.type == type)
                tracks << track;
        }
    }
    return tracks;
}

// The track after the one playing (-1 for none), and its number among them from 1.
std::pair<const MediaTrack*, int> trackAfter(const QList<MediaTrack>& tracks, qint64 playing)
{
    int next = 0;
    for (int i = 0; i < tracks.size(); ++i) {
        if (tracks.at(i).id == playing)
            next = i + 1;
    }
    if (next >= tracks.size())
        return {nullptr, 0};
    return {&tracks.at(next), next + 1};
}

} // namespace

QString Playback::nextSubtitles()
{
    const auto media = m_player.currentMedia();
    const auto playing = m_player.selectedTrack(QStringLiteral("sub"));
    if (!isVideo(media) || !playing)
        return {};
    const QList<MediaTrack> tracks = tracksOf(media, QStringLiteral("sub"));
    // After the last comes none, and after none the first.
    const auto [next, number] = *playing == kNoTrack && !tracks.isEmpty()
                                    ? std::pair(&tracks.first(), 1)
                                    : trackAfter(tracks, *playing);
    m_player.selectTrack(QStringLiteral("sub"), next ? next->id : kNoTrack);
    if (!next)
        return QStringLiteral("Sin subtítulos");
    return QStringLiteral("Subtítulos: ") + trackLabel(*next, number) +
           (next->forced ? QStringLiteral(" (forzados)") : QString());
}

QString Playback::nextAudio()
{
    const auto media = m_player.currentMedia();
    const auto playing = m_player.selectedTrack(QStringLiteral("audio"));
    if (!isVideo(media) || !playing)
        return {};
    const QList<MediaTrack> tracks = tracksOf(media, QStringLiteral("audio"));
    if (tracks.size() < 2)
        return QStringLiteral("Sin más pistas de audio");
    auto [next, number] = trackAfter(tracks, *playing);
    if (!next)
        std::tie(next, number) = std::pair(&tracks.first(), 1);
    m_player.selectTrack(QStringLiteral("audio"), next->id);
    return QStringLiteral("Audio: ") + trackLabel(*next, number);
}

void Playback::playList(const QStringList& paths)
{
    ++m_playsAsked;
    keepWhereFilmIs();
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
    keepWhereFilmIs();
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
    followFilm();
    // A power cut loses at most ten seconds of the film.
    if (++m_ticksUnkept >= 10)
        keepFilmPoint();
    // A song the folder walk reached could not be played: the walk goes on past it.
    if (std::exchange(m_failedToAdvance, false) && !StoppedByUser && !playNextSong())
        return false;
    if (m_player.playState() == PlayState::Stopped && !StoppedByUser && !m_endHandled) {
        m_endHandled = true;
        keepFilmPoint(); // near its end, where a film counts as seen
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
    if (m_film && (!media || media->sourceURL != m_film->path))
        m_film.reset();
    if (!media)
        return;
    if (media->sourceURL != m_repeatSource)
        RepeatAB = false;
    if (media->mediaType == u"audio")
        followSongFolder(media->sourceURL);
}

void Playback::identifyFilm(const QString& path)
{
    m_fileCalls.run<std::optional<ResumeStore::FilmId>>(
        [path] { return ResumeStore::identify(path); },
        [this, path](const std::optional<ResumeStore::FilmId>& film) {
            if (m_film && m_film->path == path)
                m_filmId = film; // not one asked about before, answering late
        },
        kAnswerAtOnce);
}

void Playback::followSongFolder(const QString& song)
{
    // The folder walk goes on from the song in its folder, as the folder is when it answers.
    const QString folder = GetParentFolderName(song);
    m_fileCalls.run<std::optional<FolderContents>>(
        [folder] { return GetFolder(folder, FolderParts::Files); },
        [this, folder, song](const std::optional<FolderContents>& contents) {
            const auto media = m_player.currentMedia();
            if (!contents || !media || media->sourceURL != song)
                return;
            File2.assign(folder, contents->fileNames);
            const QString name = GetFileName(song);
            for (int i = 0; i < File2.entries.size(); ++i) {
                if (File2.entries.at(i) == name)
                    TrackIndex = i;
            }
        },
        kAnswerAtOnce);
}

void Playback::findResumePoint(const QString& path,
                               std::function<void(std::optional<StartPoint>)> found)
{
    const quint64 asked = ++m_playsAsked;
    if (!m_resume.keeps(path)) {
        found(std::nullopt); // nothing to ask the disc about
        return;
    }
    m_fileCalls.run<std::optional<ResumeStore::FilmId>>(
        [path] { return ResumeStore::identify(path); },
        [this, asked, found = std::move(found)](const std::optional<ResumeStore::FilmId>& film) {
            if (asked == m_playsAsked) // nothing else was asked to play since
                found(film ? m_resume.find(*film) : std::nullopt);
        },
        kAnswerAtOnce);
}

void Playback::itemFailed(const QString& path)
{
    if (m_film && path == m_film->path)
        keepFilmPoint(); // where it was last seen playing
    if (!path.isEmpty() && path == m_advancingTo)
        m_failedToAdvance = true;
}
