#include "keys/windowkeys.h"

#include "form/elements.h"
#include "form/frmmain.h"
#include "form/keycodes.h"
#include "keys/jumppanel.h"
#include "menu/mainmenu.h"
#include "platform/mediaplayer.h"
#include "playback/playerview.h"
#include "playback/transport.h"

#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

// The position in whole seconds, halves to the even one, as the A-B marks keep it.
std::optional<qint32> positionInSeconds(const MediaPlayer& player)
{
    const auto position = player.currentPosition();
    if (!position || !std::isfinite(*position))
        return std::nullopt;
    return qint32(std::nearbyint(std::clamp(*position, 0.0, 2147483647.0)));
}

} // namespace

void Form_KeyDown(FrmMain& window, int KeyCode)
{
    MediaPlayer& player = window.services().player;
    WindowState& state = window.state;

    if (KeyCode == kKeySpace)
        togglePause(window);
    // Play plays whatever it finds: paused, stopped or ended, as the control panel's PLAY.
    if (KeyCode == kKeyMediaPlay)
        resume(window);
    if (KeyCode == kKeyMediaPause)
        pause(window);
    // A remote's STOP, NEXT and PREV act wherever the control panel's buttons can.
    if (!window.importScreenShown()) {
        if (KeyCode == kKeyMediaStop)
            stopByUser(window);
        if (KeyCode == kKeyMediaNext)
            stepForward(window);
        if (KeyCode == kKeyMediaPrevious)
            stepBack(window);
    }
    if (window.importScreenShown() && KeyCode == kKeyEscape) {
        window.importScreen.picCopiar->hide();
        showPictureUnlessCovered(window);
        ShowMenu(window);
        return;
    }
    if (!window.jumpPanelShown() && KeyCode == kKeyEscape) {
        if (window.playerViewShown())
            HideMediaPlayer(window);
        else
            ShowMediaPlayer(window);
    }
    if (window.jumpPanelShown() && KeyCode == kKeyEscape)
        CloseJumpPanel(window);
    // The marks' file, asked of the player only for the keys that take a mark.
    const auto markedFile = [&player] {
        const auto media = player.currentMedia();
        return media ? media->sourceURL : QString();
    };
    if (KeyCode == kKeyF1) {
        if (const auto mark = positionInSeconds(player)) {
            state.MarkA = *mark;
            window.playback.markASource = markedFile();
        }
        state.RepeatAB = false;
    }
    if (KeyCode == kKeyF2) {
        if (!state.RepeatAB) {
            // Without a position, or with the item stopped at its start, there is nothing to
            // repeat; an old B would loop the next file, a B of 0 restart it every second.
            const bool going =
                player.playState() == PlayState::Playing || player.playState() == PlayState::Paused;
            if (const auto mark = positionInSeconds(player); mark && going) {
                state.MarkB = *mark;
                state.RepeatAB = true;
                const QString file = markedFile();
                window.playback.repeatSource = file;
                const QString& markedOn = window.playback.markASource;
                if (!markedOn.isEmpty() && markedOn != file)
                    state.MarkA = 0; // an A of another file marks nothing: from the start
            }
        } else {
            state.RepeatAB = false;
        }
    }
}
