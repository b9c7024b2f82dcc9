// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/mediaplayer.h"

#include <QHash>
#include <QStringList>

// A player that plays nothing: it records what it was asked and reports what the test set.
class FakePlayer : public MediaPlayer {
    Q_OBJECT
public:
    QStringList calls;
    QList<MediaItem> playlist;
    PlayState state = PlayState::Undefined;
    std::optional<CurrentMedia> media;
    std::optional<double> position;
    QStringList driveSpecifiers;
    QHash<QString, qint64> tracks; // selected, by type

    void setURL(const QString& path) override { calls << QStringLiteral("URL ") + path; }
    void openAt(const QString& path, const StartPoint& start) override
    {
        calls << QStringLiteral("URL %1 at %2").arg(path).arg(start.seconds);
        tracks["audio"] = start.audio.value_or(-1);
        tracks["sub"] = start.subtitles.value_or(-1);
    }
    void clearPlaylist() override { playlist.clear(); }
    void appendItem(const MediaItem& item) override { playlist << item; }
    void play() override { calls << QStringLiteral("play"); }
    void pause() override { calls << QStringLiteral("pause"); }
    void stop() override { calls << QStringLiteral("stop"); }
    std::optional<double> currentPosition() const override { return position; }
    bool setCurrentPosition(double seconds) override
    {
        if (!position)
            return false;
        position = seconds;
        return true;
    }
    PlayState playState() const override { return state; }
    std::optional<qint64> selectedTrack(const QString& type) const override
    {
        if (!media)
            return std::nullopt;
        return tracks.value(type, kNoTrack);
    }
    void selectTrack(const QString& type, qint64 id) override { tracks[type] = id; }
    std::optional<CurrentMedia> currentMedia() const override { return media; }
    std::optional<QString> opticalDriveSpecifier(int index) const override
    {
        if (index < 0 || index >= driveSpecifiers.size())
            return std::nullopt;
        return driveSpecifiers.at(index);
    }
};
