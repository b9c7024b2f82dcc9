// SPDX-License-Identifier: GPL-3.0-or-later
// The folder listings' patterns: any pattern and name (split at the first NUL) are matched
// without a crash, and a name always matches the pattern made of itself.
#include "media/filelist.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = bytes.indexOf('\0');
    const QString pattern = QString::fromUtf8(split < 0 ? bytes : bytes.left(split));
    const QString name = QString::fromUtf8(split < 0 ? QByteArray() : bytes.mid(split + 1));
    NamePattern(pattern).matches(name);
    const bool plainName = !name.isEmpty() && !name.contains(u';') && !name.contains(u'*') &&
                           !name.contains(u'?') && !name.contains(u'[') && !name.contains(u']') &&
                           !name.contains(u'\\') && !name.contains(u'/');
    if (plainName && !NamePattern(name).matches(name))
        std::abort();
    return 0;
}
