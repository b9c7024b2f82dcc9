// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Each place that tells media kinds apart has its own list; they differ on purpose, so each
// stays a list of its own. Today's formats join every list of their kind.

inline const QStringList kModernVideoExtensions{"mkv",  "mp4", "m4v", "mov", "webm", "ts",
                                                "m2ts", "mts", "ogv", "3gp", "flv"};
inline const QStringList kModernAudioExtensions{"flac", "m4a", "aac",  "opus", "oga",
                                                "mka",  "wv",  "aiff", "aif"};
inline const QStringList kModernPictureExtensions{"png", "webp", "tif", "tiff"};

// A folder pattern ("*.a;*.b") with a part for each extension added.
inline QString patternWith(const QString& pattern, const QStringList& extensions)
{
    return pattern + QStringLiteral(";*.") + extensions.join(QStringLiteral(";*."));
}

// A space-separated extension list with the extensions added.
inline QString listWith(const QString& list, const QStringList& extensions)
{
    return list + QLatin1Char(' ') + extensions.join(QLatin1Char(' '));
}

// Folder patterns for what the list shows.
inline const QString kVideoPattern = patternWith(
    QStringLiteral("*.avi;*.mpeg;*.mpg;*.wmv;*.ogg;*.divx;*.vob"), kModernVideoExtensions);
inline const QString kAudioPattern = patternWith(
    QStringLiteral("*.mp3;*.wav;*.wave;*.mp2;*.cda;*.ogg;*.wma"), kModernAudioExtensions);
inline const QString kPicturePattern =
    patternWith(QStringLiteral("*.jpg;*.jpeg;*.jpe;*.bmp;*.gif;*.wmf"), kModernPictureExtensions);
inline const QString kAllMediaPattern = patternWith(
    QStringLiteral("*.mp3;*.wma;*.ogg;*.wmv;*.mpg;*.mpeg;*.avi;*.jpeg;*.jpg;*.bmp;*.gif"),
    kModernAudioExtensions + kModernVideoExtensions + kModernPictureExtensions);

// Extensions (lower case) of a chosen file that open the picture viewer instead of the player.
inline const QStringList kViewerExtensions =
    QStringList{"jpe", "jpeg", "jpg", "bmp", "wmf", "gif"} + kModernPictureExtensions;
// Extensions (lower case) of the highlighted file that are previewed beside the list.
inline const QStringList kPreviewExtensions =
    QStringList{"jpg", "jpeg", "bmp", "gif", "jpe"} + kModernPictureExtensions;

// Extensions looked for on a disc by each import choice.
inline const QString kImportVideoExtensions =
    listWith(QStringLiteral("wmv avi mpg mpe mpeg asf"), kModernVideoExtensions);
inline const QString kImportMusicExtensions =
    listWith(QStringLiteral("mp3 wma ogg wav wave"), kModernAudioExtensions);
inline const QString kImportPictureExtensions =
    listWith(QStringLiteral("bmp jpg jpeg jpe gif wmf"), kModernPictureExtensions);

// The audio files the player moves on through, in the folder of the one playing.
inline const QString kNowPlayingFolderPattern =
    patternWith(QStringLiteral("*.mp3;*.wav;*.ogg;*.wma"), kModernAudioExtensions);
// The pictures the viewer steps through ("*.bmp" twice, no "*.wmf").
inline const QString kViewerPattern =
    patternWith(QStringLiteral("*.bmp;*.jpg;*.jpeg;*.gif;*.bmp;*.jpe"), kModernPictureExtensions);
