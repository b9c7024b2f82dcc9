// SPDX-License-Identifier: GPL-3.0-or-later
#include "keys/windowkeys.h"

#include "form/elements.h"
#include "form/frmmain.h"
#include "form/keycodes.h"
#include "keys/jumppanelkeys.h"
#include "menu/mainmenu.h"
#include "playback/playervisibility.h"

#include <QTimer>

void Form_KeyDown(FrmMain& window, int KeyCode)
{
    Playback& playback = window.playback;

    if (KeyCode == kKeySpace)
        playback.togglePause();
    // Play plays whatever it finds: paused, stopped or ended, as the control panel's PLAY.
    if (KeyCode == kKeyMediaPlay)
        playback.resume();
    if (KeyCode == kKeyMediaPause)
        playback.pause();
    // The film's subtitles and audio, told over its foot; without a film, nothing.
    if (KeyCode == kKeySubtitles)
        showTrackNote(window, playback.nextSubtitles());
    if (KeyCode == kKeyAudioTrack)
        showTrackNote(window, playback.nextAudio());
    // A remote's STOP, NEXT and PREV act wherever the control panel's buttons can.
    if (!window.importScreenShown()) {
        if (KeyCode == kKeyMediaStop)
            playback.stopByUser();
        if (KeyCode == kKeyMediaNext)
            playback.stepForward();
        if (KeyCode == kKeyMediaPrevious)
            playback.stepBack();
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
    if (KeyCode == kKeyF1)
        playback.markA();
    if (KeyCode == kKeyF2)
        playback.toggleRepeatAB();
}
