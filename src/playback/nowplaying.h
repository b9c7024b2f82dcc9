#pragma once

#include "menu/filelist.h"
#include "menu/mediakinds.h"

#include <QString>

class MainWindow;
struct CurrentMedia;

// What the playback handlers keep between events.
struct PlaybackState {
    // The audio files of the folder of the song playing, which the player moves on through.
    FileList File2{QString(), kNowPlayingFolderPattern, {}};
    // The end of the item now loaded has been acted on; cleared when another item loads, so
    // an ended folder stays ended instead of being retried every second.
    bool endHandled = false;
    bool errorShown = false;
    int errorsWhileShown = 0;
    // The song the automatic next file opened last; when it cannot be played, the next tick
    // goes on past it (failedToAdvance).
    QString advancingTo;
    bool failedToAdvance = false;
    // The file the A-B repeat was set on: it ends when another file opens.
    QString repeatSource;
};

// "Artist: Title (Album)", separators kept when the tags are missing.
QString nowPlayingText(const CurrentMedia& media);

void MediaPlayer_NewStream(MainWindow& window);
void MediaPlayer_MediaChange(MainWindow& window);
void PicMediaPlayer_Resize(MainWindow& window);
// Tells the user which file could not be played and why, one message at a time.
void MediaPlayer_Error(MainWindow& window, const QString& path, const QString& reason);

// Once a second: the next audio file when one has ended, the A-B repeat, the time text.
void Timer1_Timer(MainWindow& window);
