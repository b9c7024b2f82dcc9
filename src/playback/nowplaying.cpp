#include "playback/nowplaying.h"

#include "form/frmmain.h"
#include "form/messagebox.h"
#include "platform/filenames.h"
#include "platform/filesystem.h"
#include "platform/mediaplayer.h"
#include "playback/playerview.h"
#include "playback/transport.h"

#include <QLabel>

namespace {

// Shows the player view for a video, hides it for a song; nothing without a current item.
void applyMediaKind(FrmMain& window, const std::optional<CurrentMedia>& media)
{
    if (!media)
        return;
    if (media->mediaType == u"audio")
        HideMediaPlayer(window);
    else if (media->mediaType == u"video")
        ShowMediaPlayer(window);
}

void applyNowPlayingText(FrmMain& window, const std::optional<CurrentMedia>& media)
{
    if (media)
        window.nowPlaying.LblNowPlaying->setText(nowPlayingText(*media));
}

} // namespace

QString nowPlayingText(const CurrentMedia& media)
{
    return media.getItemInfo(QStringLiteral("Artist")) + QStringLiteral(": ") +
           media.getItemInfo(QStringLiteral("Title")) + QStringLiteral(" (") +
           media.getItemInfo(QStringLiteral("Album")) + u')';
}

void MediaPlayer_NewStream(FrmMain& window)
{
    const auto media = window.services().player.currentMedia();
    applyMediaKind(window, media);
    applyNowPlayingText(window, media);
}

void MediaPlayer_MediaChange(FrmMain& window)
{
    window.playback.endHandled = false;
    const auto media = window.services().player.currentMedia();
    if (!media)
        return;
    if (media->sourceURL != window.playback.repeatSource)
        window.state.RepeatAB = false;
    if (media->mediaType == u"audio") {
        HideMediaPlayer(window);
        FileList& folder = window.playback.File2;
        if (folder.setPath(GetParentFolderName(media->sourceURL))) {
            const QString name = GetFileName(media->sourceURL);
            for (int i = 0; i < folder.entries.size(); ++i) {
                if (folder.entries.at(i) == name)
                    window.state.TrackIndex = i;
            }
        }
    } else if (media->mediaType == u"video") {
        ShowMediaPlayer(window);
    }
    applyNowPlayingText(window, media);
}

void PicMediaPlayer_Resize(FrmMain& window)
{
    MediaPlayer_NewStream(window); // the same: the view and the text follow the current item
}

void MediaPlayer_Error(FrmMain& window, const QString& path, const QString& reason)
{
    PlaybackState& playback = window.playback;
    if (!path.isEmpty() && path == playback.advancingTo)
        playback.failedToAdvance = true;
    if (playback.errorShown) {
        // One box at a time: the rest are counted and told together when it closes.
        ++playback.errorsWhileShown;
        return;
    }
    playback.errorShown = true;
    showMessage(window.widget,
                QStringLiteral("No se puede reproducir %1: %2.").arg(readableName(path), reason));
    while (playback.errorsWhileShown > 0) {
        const int more = std::exchange(playback.errorsWhileShown, 0);
        showMessage(
            window.widget,
            more == 1
                ? QStringLiteral("Tampoco se pudo reproducir otro archivo.")
                : QStringLiteral("Tampoco se pudieron reproducir otros %1 archivos.").arg(more));
    }
    playback.errorShown = false;
}

void Timer1_Timer(FrmMain& window)
{
    MediaPlayer& player = window.services().player;
    WindowState& state = window.state;
    PlaybackState& playback = window.playback;

    // A song the folder walk reached could not be played: the walk goes on past it.
    if (std::exchange(playback.failedToAdvance, false) && !state.StoppedByUser &&
        !playNextSong(window))
        return;
    if (player.playState() == PlayState::Stopped && !state.StoppedByUser && !playback.endHandled) {
        playback.endHandled = true;
        state.RepeatAB = false;
        const auto media = player.currentMedia();
        if (media && media->mediaType == u"audio" && !playNextSong(window))
            return;
    }

    const auto position = player.currentPosition();
    if (state.RepeatAB && position && *position > state.MarkB) {
        player.setCurrentPosition(state.MarkA);
        player.play();
    }

    const auto positionText = player.currentPositionString();
    const auto media = player.currentMedia();
    if (positionText && media)
        window.nowPlaying.lblTime->setText(*positionText + QStringLiteral(" / ") +
                                           media->durationString());
}
