// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/keepawake.h"

#include "media/playback.h"
#include "platform/wakeholds.h"

void keepAwakeWhilePlaying(Playback& playback, WakeHolds& holds)
{
    const auto follow = [&playback, &holds] {
        const bool playing = playback.playState() == PlayState::Playing;
        const auto media = playback.currentMedia();
        holds.hold(playing && media && media->mediaType == u"video", playing);
    };
    QObject::connect(&playback, &Playback::stateChanged, &holds, follow);
    QObject::connect(&playback, &Playback::mediaChanged, &holds, follow);
}
