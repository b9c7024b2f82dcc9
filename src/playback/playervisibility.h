// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QString;
struct FrmMain;

// Gives the player the whole screen and shows the player view. Playback is not touched.
void ShowMediaPlayer(FrmMain& window);
// Hides the player view; what plays goes on playing.
void HideMediaPlayer(FrmMain& window);
// The film's picture is a window of its own, above every panel of the main window: it shows
// only while neither the jump panel nor the import screen is to lie over it.
void showPictureUnlessCovered(FrmMain& window);
// The player's picture back to the whole screen, as after the control panel shortened it.
void giveThePlayerTheScreen(FrmMain& window);
// The control panel's auto-hide: hides it and gives the player the whole screen back.
void Timer2_Timer(FrmMain& window);
// A note over the foot of the film for three seconds; nothing for an empty text.
void showTrackNote(FrmMain& window, const QString& text);
