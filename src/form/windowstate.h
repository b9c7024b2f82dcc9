#pragma once

#include "form/filelist.h"
#include "form/mediakinds.h"

#include <QSize>
#include <QString>

class PictureDecoder;

// The main window's shared fields.
struct WindowState {
    QString VideoFolder;
    QString MusicFolder;
    QString PicturesFolder;
    QString TvCommand;
    qint16 ControlIndex = 0;
    qint16 JumpIndex = 0;
    qint32 MarkA = 0;
    qint32 MarkB = 0;
    bool RepeatAB = false;
    int TrackIndex = 0; // wide enough for any folder
    bool PictureMode = false;
    bool StoppedByUser = false;
};

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
    // The file mark A was taken on: on another file it marks nothing.
    QString markASource;
};

// The preview beside the list: the picture asked for last, while it is being decoded.
struct PreviewState {
    PictureDecoder* decoder = nullptr;
    QString path;
    QSize natural; // pixels
};
