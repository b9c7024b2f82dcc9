// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct FrmMain;
struct CurrentMedia;

// "Artist: Title (Album)", separators kept when the tags are missing.
QString nowPlayingText(const CurrentMedia& media);

void MediaPlayer_NewStream(FrmMain& window);
void MediaPlayer_MediaChange(FrmMain& window);
void PicMediaPlayer_Resize(FrmMain& window);
// Tells the user which file could not be played and why, one message at a time.
void MediaPlayer_Error(FrmMain& window, const QString& path, const QString& reason);

// Once a second: the next audio file when one has ended, the A-B repeat, the time text.
void Timer1_Timer(FrmMain& window);
