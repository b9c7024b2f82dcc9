// The import's extension rule: a match always has an extension of three or more letters
// found inside the list, lower-cased.
#include "import/mediasearch.h"
#include "platform/filesystem.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = bytes.indexOf('\0');
    const QString path = QString::fromUtf8(split < 0 ? bytes : bytes.left(split));
    const QString list = split < 0 ? QStringLiteral("mp3 wma ogg wav wave")
                                   : QString::fromUtf8(bytes.mid(split + 1));
    const QString extension = GetExtensionName(path).toLower();
    const bool expected = extension.size() >= 3 && list.contains(extension);
    if (matchesExtensionList(path, list) != expected)
        std::abort();
    return 0;
}
