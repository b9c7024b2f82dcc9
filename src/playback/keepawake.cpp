#include "playback/keepawake.h"

#include "platform/mediaplayer.h"
#include "platform/wakeholds.h"

void keepAwakeWhilePlaying(MediaPlayer& player, WakeHolds& holds)
{
    const auto follow = [&player, &holds] {
        const bool playing = player.playState() == PlayState::Playing;
        const auto media = player.currentMedia();
        holds.hold(playing && media && media->mediaType == u"video", playing);
    };
    QObject::connect(&player, &MediaPlayer::playStateChanged, &holds, follow);
    QObject::connect(&player, &MediaPlayer::MediaChange, &holds, follow);
}
