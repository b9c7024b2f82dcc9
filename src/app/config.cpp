// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/config.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/filesystem.h"
#include "platform/legacytext.h"

FoldersConfig parseFoldersIni(QIODevice& file)
{
    std::array<QByteArray, 4> lines;
    std::size_t line = 0;
    bool afterCr = false;
    qint64 consumed = 0;
    char chunk[8192];
    while (line < lines.size() && consumed < kMaxConfigBytes) {
        const qint64 got = file.read(chunk, qMin<qint64>(sizeof chunk, kMaxConfigBytes - consumed));
        if (got <= 0)
            break;
        consumed += got;
        for (qint64 i = 0; i < got && line < lines.size(); ++i) {
            const char c = chunk[i];
            if (c == '\n' && afterCr) { // the LF of a CR LF pair
                afterCr = false;
                continue;
            }
            afterCr = c == '\r';
            if (c == '\r' || c == '\n')
                ++line;
            else if (lines[line].size() < kMaxConfigLineBytes)
                lines[line] += c;
        }
    }
    return FoldersConfig{decodeUtf8OrWindows1252(lines[0]), decodeUtf8OrWindows1252(lines[1]),
                         decodeUtf8OrWindows1252(lines[2]), decodeUtf8OrWindows1252(lines[3])};
}

FoldersConfig readFoldersIni(const QString& path)
{
    // Only a regular file: a pipe or a device of that name would block or never end.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    return parseFoldersIni(file);
}

QString programFolder(const QString& executableFolder)
{
    if (FileExists(BuildPath(executableFolder, QStringLiteral("folders.ini"))))
        return executableFolder;
    return BuildPath(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                     QStringLiteral("sofavio"));
}
