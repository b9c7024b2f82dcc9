// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/mediasearch.h"

#include "platform/filesystem.h"

#include <vector>

bool matchesExtensionList(const QString& path, const QString& strPattern)
{
    const QString extension = GetExtensionName(path).toLower();
    return extension.size() >= 3 && strPattern.contains(extension);
}

namespace {

void appendMatches(const QString& folder, const QStringList& fileNames, const QString& strPattern,
                   QStringList& Colec)
{
    for (const QString& name : fileNames) {
        if (matchesExtensionList(name, strPattern))
            Colec << BuildPath(folder, name);
    }
}

} // namespace

bool appendMatchingFiles(const QString& folder, const QString& strPattern, QStringList& Colec)
{
    const auto contents = GetFolder(folder, FolderParts::Files);
    if (!contents)
        return false;
    appendMatches(folder, contents->fileNames, strPattern, Colec);
    return true;
}

void FindMedia(const QString& StartPath, const QString& strPattern, QStringList& Colec,
               QStringList& unreadable, const std::atomic<bool>& stop)
{
    // A stack of folders whose subfolders are being walked, in place of recursion, so no
    // depth of tree can exhaust the machine's stack.
    struct Level {
        QString path;
        QStringList subFolders;
        qsizetype next = 0;
    };
    const auto start = GetFolder(StartPath, FolderParts::SubFolders, FolderLinks::Skip);
    if (!start) {
        unreadable << StartPath;
        return;
    }
    std::vector<Level> levels{Level{StartPath, start->subFolderNames, 0}};
    while (!levels.empty() && !stop) {
        Level& level = levels.back();
        if (level.next == level.subFolders.size()) {
            levels.pop_back();
            continue;
        }
        const QString sub = BuildPath(level.path, level.subFolders.at(level.next++));
        const auto contents = GetFolder(sub, FolderParts::Both, FolderLinks::Skip);
        if (!contents) {
            unreadable << sub;
            continue;
        }
        appendMatches(sub, contents->fileNames, strPattern, Colec);
        levels.push_back(Level{sub, contents->subFolderNames, 0});
    }
}
