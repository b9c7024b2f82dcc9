// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/m3u.h"

#include "platform/filenames.h"

QByteArray m3uPlaylist(const QStringList& paths)
{
    QByteArray text;
    for (const QString& path : paths) {
        if (path.contains(u'\n') || path.contains(u'\r'))
            continue;
        text += fileNameBytes(path) + "\r\n";
    }
    return text;
}
