#include "playback/transport.h"

#include "form/frmmain.h"
#include "platform/filesystem.h"
#include "platform/mediaplayer.h"

namespace {

bool playingVideo(const MediaPlayer& player)
{
    const auto media = player.currentMedia();
    return media && media->mediaType == u"video";
}

QString trackPath(const FrmMain& window)
{
    const FileList& folder = window.playback.File2;
    return BuildPath(folder.path, folder.entries.at(window.state.TrackIndex));
}

// PREV and NEXT through the songs of the folder: false at either end, where nothing opens.
bool stepTrack(FrmMain& window, int step)
{
    int& index = window.state.TrackIndex;
    const int last = int(window.playback.File2.entries.size()) - 1;
    index += step;
    if (index < 0 || index > last) {
        index = index < 0 ? 0 : last;
        return false;
    }
    playTrack(window);
    return true;
}

} // namespace

void playFile(FrmMain& window, const QString& path)
{
    window.state.StoppedByUser = false;
    MediaPlayer& player = window.services().player;
    player.setURL(path);
    player.play();
}

bool playTrack(FrmMain& window)
{
    const int index = window.state.TrackIndex;
    if (index < 0 || index >= window.playback.File2.entries.size())
        return false;
    MediaPlayer& player = window.services().player;
    player.setURL(trackPath(window));
    player.play();
    return true;
}

bool playNextSong(FrmMain& window)
{
    int& index = window.state.TrackIndex;
    ++index;
    if (index > window.playback.File2.entries.size() - 1) {
        index = 0;
        return false;
    }
    window.playback.advancingTo = trackPath(window);
    return playTrack(window);
}

bool stepForward(FrmMain& window)
{
    MediaPlayer& player = window.services().player;
    if (!playingVideo(player))
        return stepTrack(window, +1);
    const auto position = player.currentPosition();
    if (position && *position + 10 < player.currentMedia()->duration)
        player.setCurrentPosition(*position + 10);
    return true;
}

bool stepBack(FrmMain& window)
{
    MediaPlayer& player = window.services().player;
    if (!playingVideo(player))
        return stepTrack(window, -1);
    const float step = window.jumpPanel.bar.maximum / 10;
    const auto position = player.currentPosition();
    if (position && *position - step > 0)
        player.setCurrentPosition(*position - step);
    return true;
}

void stopByUser(FrmMain& window)
{
    window.state.StoppedByUser = true;
    window.services().player.stop();
}

void resume(FrmMain& window)
{
    window.services().player.play();
}

void pause(FrmMain& window)
{
    window.services().player.pause();
}

void togglePause(FrmMain& window)
{
    if (window.services().player.playState() == PlayState::Paused)
        resume(window);
    else
        pause(window);
}
