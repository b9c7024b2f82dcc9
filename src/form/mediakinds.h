#pragma once

#include <QString>
#include <QStringList>

// Each place that tells media kinds apart has its own list; they differ on purpose, so each
// stays a list of its own.

// Folder patterns for what the list shows.
inline const QString kVideoPattern = QStringLiteral("*.avi;*.mpeg;*.mpg;*.wmv;*.ogg;*.divx;*.vob");
inline const QString kAudioPattern = QStringLiteral("*.mp3;*.wav;*.wave;*.mp2;*.cda;*.ogg;*.wma");
inline const QString kPicturePattern = QStringLiteral("*.jpg;*.jpeg;*.jpe;*.bmp;*.gif;*.wmf");
inline const QString kAllMediaPattern =
    QStringLiteral("*.mp3;*.wma;*.ogg;*.wmv;*.mpg;*.mpeg;*.avi;*.jpeg;*.jpg;*.bmp;*.gif");

// Extensions (lower case) of a chosen file that open the picture viewer instead of the player.
inline const QStringList kViewerExtensions{"jpe", "jpeg", "jpg", "bmp", "wmf", "gif"};
// Extensions (lower case) of the highlighted file that are previewed beside the list.
inline const QStringList kPreviewExtensions{"jpg", "jpeg", "bmp", "gif", "jpe"};

// Extensions looked for on a disc by each import choice.
inline const QString kImportVideoExtensions = QStringLiteral("wmv avi mpg mpe mpeg asf");
inline const QString kImportMusicExtensions = QStringLiteral("mp3 wma ogg wav wave");
inline const QString kImportPictureExtensions = QStringLiteral("bmp jpg jpeg jpe gif wmf");

// The audio files the player moves on through, in the folder of the one playing.
inline const QString kNowPlayingFolderPattern = QStringLiteral("*.mp3;*.wav;*.ogg;*.wma");
// The pictures the viewer steps through ("*.bmp" twice, no "*.wmf").
inline const QString kViewerPattern = QStringLiteral("*.bmp;*.jpg;*.jpeg;*.gif;*.bmp;*.jpe");
