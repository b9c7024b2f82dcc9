#pragma once

#include <QString>

struct FrmMain;

// Every way playback is started, moved or stopped, whoever asks: the list, the keys, the
// control panel, the once-a-second timer and the desktop's media controls.

// Opens the file and plays it. The user chose it, so a stop they asked for earlier no longer
// holds back the folder walk.
void playFile(FrmMain& window, const QString& path);

// Opens the song `TrackIndex` of the playing song's folder. False when there is none.
bool playTrack(FrmMain& window);

// The folder walk: the song after `TrackIndex`. False past the last one, where it ends (and
// `TrackIndex` goes back to the first).
bool playNextSong(FrmMain& window);

// NEXT and PREV: ten seconds on, or a tenth of the jump bar back, in a video; otherwise the
// next or previous song of the folder. False when there is no song that way; nothing opens.
bool stepForward(FrmMain& window);
bool stepBack(FrmMain& window);

// STOP: stops and rewinds, and the folder walk does not go on by itself.
void stopByUser(FrmMain& window);

void resume(FrmMain& window);
void pause(FrmMain& window);
// Space: resumes what is paused, pauses anything else.
void togglePause(FrmMain& window);
