#pragma once

#include <QString>

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
