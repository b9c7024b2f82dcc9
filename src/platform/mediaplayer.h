// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <optional>

enum class PlayState {
    Undefined = 0, // nothing opened yet, or the last open failed
    Stopped = 1,   // stopped by request, or the media ended by itself
    Paused = 2,
    Playing = 3,
    Transitioning = 9, // between two items of a playlist
};

struct MediaItem {
    QString sourceURL;
};

// One of a media's streams, as the player lists them.
struct MediaTrack {
    qint64 id = 0;
    QString type;     // "audio", "video" or "sub"
    QString language; // as the file tags it ("spa", "en"), or empty
    QString title;
    bool albumArt = false; // a cover picture of a song, not a video
    bool forced = false;   // subtitles meant to be shown whatever the language heard
    int channels = 0;      // of an audio track, when known
};

// The id of no track: subtitles off.
inline constexpr qint64 kNoTrack = 0;

// Where an item starts, and with which tracks; an unset track is the player's own choice.
struct StartPoint {
    double seconds = 0;
    std::optional<qint64> audio = {};
    std::optional<qint64> subtitles = {};
    bool operator==(const StartPoint&) const = default;
};

// What the player knows of the item it has open. It stays readable after the item ended
// or was stopped, until another one is opened.
struct CurrentMedia {
    QString sourceURL;
    QString mediaType; // "audio", "video", or empty when it has neither
    QString artist;
    QString title;
    QString album;
    double duration = 0;
    QList<MediaTrack> tracks = {};

    // "MediaType", "Artist", "Title", "Album"; empty for any other name.
    QString getItemInfo(const QString& name) const;
    QString durationString() const;
};

// Minutes and seconds, "mm:ss", or "h:mm:ss" from one hour on.
QString formatMediaTime(double seconds);

// The engine that plays media. Queries return nothing when there is nothing to answer for,
// so callers can skip what depends on them.
class MediaPlayer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Opens the file and plays it; NewStream and MediaChange follow once it is loaded.
    virtual void setURL(const QString& path) = 0;
    // The same, from that point and with those tracks.
    virtual void openAt(const QString& path, const StartPoint& start) = 0;

    MediaItem newMedia(const QString& path) const { return MediaItem{path}; }
    virtual void clearPlaylist() = 0;
    // Items of the playlist play one after another once play() is called.
    virtual void appendItem(const MediaItem& item) = 0;

    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;

    virtual std::optional<double> currentPosition() const = 0;
    virtual bool setCurrentPosition(double seconds) = 0;

    virtual PlayState playState() const = 0;
    // The track of the type ("audio", "sub") playing now: kNoTrack for none, nothing when
    // nothing is open.
    virtual std::optional<qint64> selectedTrack(const QString& type) const = 0;
    virtual void selectTrack(const QString& type, qint64 id) = 0;
    virtual std::optional<CurrentMedia> currentMedia() const = 0;

    // The drive specifier ("D:") of the machine's optical drive at that index.
    virtual std::optional<QString> opticalDriveSpecifier(int index) const = 0;

signals:
    // Just before the player first opens anything, while there is still time to give it a
    // surface to draw video on.
    void aboutToOpen();
    void NewStream();
    // Another item is loaded: the one currentMedia() now answers for.
    void MediaChange(const CurrentMedia& media);
    // A media could not be opened or played; the reason is in Spanish.
    void Error(const QString& path, const QString& reason);
    // playState() has changed: by a request, at the end of the media, or on opening another.
    void playStateChanged();
};
