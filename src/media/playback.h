// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "media/filelist.h"
#include "media/mediakinds.h"
#include "media/resumestore.h"
#include "platform/fileworker.h"
#include "platform/mediaplayer.h"

#include <QObject>
#include <functional>

// What plays and what plays next, whoever asks: the list, the keys, the control panel, the
// once-a-second tick and the desktop's media controls. It tells its followers what changed;
// showing it is theirs.
class Playback : public QObject {
    Q_OBJECT
public:
    explicit Playback(MediaPlayer& player, QObject* parent = nullptr);
    // Where the film playing was left is kept, also when playback ends with the program.
    ~Playback() override;

    PlayState playState() const { return m_player.playState(); }
    std::optional<CurrentMedia> currentMedia() const { return m_player.currentMedia(); }
    std::optional<double> position() const { return m_player.currentPosition(); }
    bool seek(double seconds) { return m_player.setCurrentPosition(seconds); }

    // Opens the file and plays it, from the start or from where it was left. The user chose
    // it, so a stop they asked for earlier no longer holds back the folder walk.
    void playFile(const QString& path, const std::optional<StartPoint>& from = std::nullopt);
    // Films are left at a point kept in that file; where the film is now, when it was left.
    void keepResumePointsIn(const QString& file) { m_resume = ResumeStore(file); }
    // The point the file was left at, if it was, given to `found` (at once, or once the disc
    // has answered, unless something else was asked to play meanwhile).
    void findResumePoint(const QString& path, std::function<void(std::optional<StartPoint>)> found);
    // The files one after another, from the first.
    void playList(const QStringList& paths);
    // NEXT and PREV: ten seconds on, or a tenth of the jump bar back, in a video; otherwise
    // the next or previous song of the folder. False when there is no song that way; nothing
    // opens.
    bool stepForward();
    bool stepBack();
    // The length the jump bar was last given, whose tenth PREV goes back in a video.
    void setJumpBarLength(float seconds) { m_jumpBarLength = seconds; }
    // STOP: stops and rewinds, and the folder walk does not go on by itself.
    void stopByUser();
    void resume();
    void pause();
    // Space: resumes what is paused, pauses anything else.
    void togglePause();

    // The remote's subtitle and audio buttons: the film's next subtitles (and then none), or
    // its next audio track. What is now heard and shown, in words ("Subtítulos: Inglés"); empty
    // without a film.
    QString nextSubtitles();
    QString nextAudio();

    // F1: mark A where the item is now. F2: mark B there and repeat from A to B, or stop
    // repeating.
    void markA();
    void toggleRepeatAB();

    // Once a second: the next song when one has ended, and the A-B repeat. False when the
    // folder walk has just ended, and the time is not to be shown.
    bool tick();
    // Another item is loaded (or none is): the walk goes on from it when it is a song.
    void itemChanged(const std::optional<CurrentMedia>& media);
    // The file could not be played: if the walk reached it, the next tick goes on past it.
    void itemFailed(const QString& path);

    int TrackIndex = 0; // wide enough for any folder
    bool StoppedByUser = false;
    qint32 MarkA = 0;
    qint32 MarkB = 0;
    bool RepeatAB = false;
    // The audio files of the folder of the song playing, which the walk moves on through.
    FileList File2{QString(), kNowPlayingFolderPattern, {}};

signals:
    // What the player reports has changed: its state, or the item it has open.
    void stateChanged();
    void mediaChanged();

private:
    void followSongFolder(const QString& song);
    void identifyFilm(const QString& path);
    // Opens the song `TrackIndex` of the playing song's folder. False when there is none.
    bool playTrack();
    // The folder walk: the song after `TrackIndex`. False past the last one, where it ends
    // (and `TrackIndex` goes back to the first).
    bool playNextSong();
    bool stepTrack(int step);
    QString trackPath() const;
    // Follows where the film playing is, and keeps it every ten seconds of playing.
    void followFilm();
    void keepFilmPoint();
    void keepWhereFilmIs(); // both, now

    struct FilmWatched {
        QString path;
        double duration = 0;
        StartPoint point;
        bool operator==(const FilmWatched&) const = default;
    };

    MediaPlayer& m_player;
    FileWorker m_fileCalls;
    ResumeStore m_resume;
    std::optional<FilmWatched> m_film;           // the film last seen playing, where it was then
    std::optional<ResumeStore::FilmId> m_filmId; // the film loaded, once the disc has told
    quint64 m_playsAsked = 0;  // files asked to play, or asked where they were left
    bool m_filmUnkept = false; // it has moved since it was last kept
    int m_ticksUnkept = 0;
    float m_jumpBarLength = 0;
    // The end of the item now loaded has been acted on; cleared when another item loads, so
    // an ended folder stays ended instead of being retried every second.
    bool m_endHandled = false;
    // The song the walk opened last; when it cannot be played, the next tick goes on past it.
    QString m_advancingTo;
    bool m_failedToAdvance = false;
    // The file the A-B repeat was set on: it ends when another file opens.
    QString m_repeatSource;
    // The file mark A was taken on: on another file it marks nothing.
    QString m_markASource;
};
