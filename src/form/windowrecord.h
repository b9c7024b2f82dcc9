// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>

class PictureDecoder;

// The main window's shared fields, which the handlers read and write.
struct WindowRecord {
    QString VideoFolder;
    QString MusicFolder;
    QString PicturesFolder;
    QString TvCommand;
    qint16 ControlIndex = 0;
    qint16 JumpIndex = 0;
    bool PictureMode = false;
};

// The playback errors, told one message box at a time: those that come while one is up are
// counted and told together when it closes.
struct ErrorMessagesRecord {
    bool shown = false;
    int whileShown = 0;
};

// The preview beside the list: the picture asked for last, while it is being decoded.
struct PreviewRecord {
    PictureDecoder* decoder = nullptr;
    QString path;
    QSize natural; // pixels
};
