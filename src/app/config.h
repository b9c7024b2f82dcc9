// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <array>

class QIODevice;

struct FoldersConfig {
    QString VideoFolder;
    QString MusicFolder;
    QString PicturesFolder;
    QString TvCommand;
};

// A line longer than any path can be is cut to this many bytes.
inline constexpr qsizetype kMaxConfigLineBytes = 4096;
// No more than this is read of folders.ini, however large the file is.
inline constexpr qint64 kMaxConfigBytes = 1 << 20;

// The first four lines of folders.ini, verbatim. A line ends at CR, CR LF or LF. Bytes that
// are not valid UTF-8 are read as Windows-1252, the code page such files were written in.
FoldersConfig parseFoldersIni(QIODevice& file);

// Reads the file; a missing or unreadable file gives four empty values.
FoldersConfig readFoldersIni(const QString& path);

// The folder that holds folders.ini and list.m3u: the executable's own folder when it holds
// a folders.ini (a portable copy, the build tree), otherwise the user's config folder.
QString programFolder(const QString& executableFolder);
