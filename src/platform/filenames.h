// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// A Linux file name is bytes, not text: a name copied from an old Windows disc may be
// Latin-1. Paths travel through the program as QString, so each byte that is not part of
// valid UTF-8 is carried as the lone surrogate U+DC80 + (byte - 0x80), which valid UTF-8 can
// never produce; the bytes come back unchanged on their way to the file system or the player.

QString fileNameFromBytes(QByteArrayView bytes);
QByteArray fileNameBytes(const QString& name);

// The longest name a Linux file system takes, in bytes.
inline constexpr qsizetype kLongestFileName = 255;

// The name with its end cut, a whole character at a time, until its bytes and `room` more
// fit in a file name.
QString nameCutToFit(const QString& name, qsizetype room);

// The name or path as a person should read it: each byte that is not UTF-8 is read as
// Windows-1252, the encoding of the discs such names come from.
QString readableName(const QString& name);
