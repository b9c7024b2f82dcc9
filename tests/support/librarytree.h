// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTemporaryDir>

// A temporary folder tree: paths ending in '/' are folders, the others small files.
class LibraryTree {
public:
    explicit LibraryTree(const QStringList& paths);

    QString path(const QString& relative = QString()) const;
    // The folders.ini text for video, music and picture folders inside the tree and a TV line.
    QByteArray foldersIni(const QString& video, const QString& music, const QString& pictures,
                          const QString& tv) const;

private:
    QTemporaryDir m_root;
};
