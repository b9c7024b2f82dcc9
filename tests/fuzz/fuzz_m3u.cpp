// SPDX-License-Identifier: GPL-3.0-or-later
// list.m3u: every path without a line break is one line ended by CR LF; no name ever splits
// a line.
#include "playback/m3u.h"

#include <QFile>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList paths;
    for (const QByteArray& part : bytes.split('\0'))
        paths << QFile::decodeName(part);
    const QByteArray text = m3uPlaylist(paths);
    qsizetype writable = 0;
    for (const QString& path : paths)
        writable += !path.contains(u'\n') && !path.contains(u'\r');
    if (text.count("\r\n") != writable || text.count('\n') != writable ||
        text.count('\r') != writable || (!text.isEmpty() && !text.endsWith("\r\n")))
        std::abort();
    return 0;
}
