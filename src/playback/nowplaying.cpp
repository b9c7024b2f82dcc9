// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/nowplaying.h"

#include "form/frmmain.h"
#include "form/messagebox.h"
#include "platform/filenames.h"
#include "playback/playervisibility.h"

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
    const auto media = window.playback.currentMedia();
    applyMediaKind(window, media);
    applyNowPlayingText(window, media);
}

void MediaPlayer_MediaChange(FrmMain& window)
{
    const auto media = window.playback.currentMedia();
    window.playback.itemChanged(media);
    applyMediaKind(window, media);
    applyNowPlayingText(window, media);
}

void PicMediaPlayer_Resize(FrmMain& window)
{
    MediaPlayer_NewStream(window); // the same: the view and the text follow the current item
}

void MediaPlayer_Error(FrmMain& window, const QString& path, const QString& reason)
{
    window.playback.itemFailed(path);
    ErrorMessagesRecord& messages = window.errorMessages;
    if (messages.shown) {
        ++messages.whileShown;
        return;
    }
    messages.shown = true;
    showMessage(window.widget,
                QStringLiteral("No se puede reproducir %1: %2.").arg(readableName(path), reason));
    while (messages.whileShown > 0) {
        const int more = std::exchange(messages.whileShown, 0);
        showMessage(
            window.widget,
            more == 1
                ? QStringLiteral("Tampoco se pudo reproducir otro archivo.")
                : QStringLiteral("Tampoco se pudieron reproducir otros %1 archivos.").arg(more));
    }
    messages.shown = false;
}

void Timer1_Timer(FrmMain& window)
{
    if (!window.playback.tick())
        return;
    const auto position = window.playback.position();
    const auto media = window.playback.currentMedia();
    if (position && media)
        window.nowPlaying.lblTime->setText(formatMediaTime(*position) + QStringLiteral(" / ") +
                                           media->durationString());
}
