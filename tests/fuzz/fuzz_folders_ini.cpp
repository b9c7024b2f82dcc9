// SPDX-License-Identifier: GPL-3.0-or-later
// folders.ini: any bytes give four values, none longer than a line may be, none holding a
// line break.
#include "app/config.h"

#include <QBuffer>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const FoldersConfig config = parseFoldersIni(buffer);
    for (const QString& value :
         {config.VideoFolder, config.MusicFolder, config.PicturesFolder, config.TvCommand}) {
        if (value.size() > kMaxConfigLineBytes || value.contains(u'\r') || value.contains(u'\n'))
            std::abort();
    }
    return 0;
}
