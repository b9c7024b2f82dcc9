// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/librarytree.h"

#include "support/files.h"

#include <QDir>

LibraryTree::LibraryTree(const QStringList& paths)
{
    for (const QString& relative : paths) {
        if (relative.endsWith(u'/'))
            QDir().mkpath(m_root.filePath(relative));
        else
            writeFile(m_root.filePath(relative), "x");
    }
}

QString LibraryTree::path(const QString& relative) const
{
    return relative.isEmpty() ? m_root.path() : m_root.filePath(relative);
}

QByteArray LibraryTree::foldersIni(const QString& video, const QString& music,
                                   const QString& pictures, const QString& tv) const
{
    return (path(video) + "\r\n" + path(music) + "\r\n" + path(pictures) + "\r\n" + tv + "\r\n")
        .toUtf8();
}
