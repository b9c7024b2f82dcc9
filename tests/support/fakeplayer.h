#pragma once

#include "platform/mediaplayer.h"

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

    void setURL(const QString& path) override { calls << QStringLiteral("URL ") + path; }
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
    std::optional<CurrentMedia> currentMedia() const override { return media; }
    std::optional<QString> opticalDriveSpecifier(int index) const override
    {
        if (index < 0 || index >= driveSpecifiers.size())
            return std::nullopt;
        return driveSpecifiers.at(index);
    }
};
