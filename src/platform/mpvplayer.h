// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/mediaplayer.h"
#include "platform/mpvhandle.h"

#include <atomic>
#include <utility>
#include <vector>

struct mpv_event;
class Drives;

struct MpvSettings {
    QString videoOutput = QStringLiteral("null"); // "libmpv" once a render surface draws it
    QString audioOutput;                          // empty: the system's; "null": none
    QString configFile; // an mpv.conf to load; nothing else of the user's mpv setup is read
    // Further mpv options, as tests and benchmarks play media faster than real time.
    std::vector<std::pair<QByteArray, QByteArray>> extraOptions = {};
};

// How mpv decodes films unless mpv.conf says otherwise: on the graphics card where mpv knows
// that to be safe ("auto-safe"), when the machine has a device to decode on (a render node in
// DEVICES/dri, or an NVIDIA card); otherwise by the processor ("no"), as asking for a card
// that is not there only fills the terminal with the drivers' complaints.
QByteArray defaultHardwareDecoding(const QString& devices = QStringLiteral("/dev"));

// What mpv last sent of the item now open; nothing until it has sent it.
struct MpvLiveState {
    std::optional<double> timePos;
    std::optional<double> duration;
    QString audio; // the tracks playing: an id, or "no"
    QString subtitles;
};

// The media player on libmpv. The wrapper keeps its own copy of the item that was last
// loaded, so the item stays readable after it ended or was stopped.
class MpvPlayer : public MediaPlayer {
    Q_OBJECT
public:
    MpvPlayer(const Drives& drives, const MpvSettings& settings, QObject* parent = nullptr);
    ~MpvPlayer() override;

    void setURL(const QString& path) override;
    void openAt(const QString& path, const StartPoint& start) override;
    void clearPlaylist() override;
    void appendItem(const MediaItem& item) override;
    void play() override;
    void pause() override;
    void stop() override;
    std::optional<double> currentPosition() const override;
    bool setCurrentPosition(double seconds) override;
    PlayState playState() const override;
    std::optional<qint64> selectedTrack(const QString& type) const override;
    void selectTrack(const QString& type, qint64 id) override;
    std::optional<CurrentMedia> currentMedia() const override;
    std::optional<QString> opticalDriveSpecifier(int index) const override;

    MpvHandle& handle() { return m_mpv; }

private:
    void drainEvents();
    void handleEvent(const mpv_event& event);
    void onFileLoaded();
    void onEndFile(const mpv_event& event);
    CurrentMedia readLoadedMedia() const;
    void chooseTracks(const QList<MediaTrack>& tracks);
    void setState(PlayState state);
    void setPlaylistPosition(qint64 index);
    qint64 playlistCount() const;
    qint64 playlistIndexOfEntry(qint64 entryId) const;
    QString playlistFilename(qint64 index) const;

    static void wakeup(void* context);

    const Drives& m_drives;
    MpvHandle m_mpv;
    std::atomic<bool> m_drainQueued{false};
    PlayState m_state = PlayState::Undefined;
    // Stopped or Paused when the user asked for it while an item was opening.
    PlayState m_requestedWhileLoading = PlayState::Undefined;
    std::optional<CurrentMedia> m_current;
    qint64 m_currentIndex = -1; // playlist index of the current item
    mutable double m_lastPosition = 0;
    MpvLiveState m_live;
    StartPoint m_start; // asked for with the item being opened
    double m_preloadedStart = 0;
    // mpv.conf's own track options, and whether it chooses tracks itself.
    QByteArray m_configuredAudio;
    QByteArray m_configuredSubtitles;
    bool m_configuredTracks = false;
    std::optional<CurrentMedia> m_preloaded; // read while mpv held the item open for us
    qint64 m_preloadedIndex = -1;            // and its playlist index
};
