// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QFile>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

// Path and file questions of the whole program. Paths are Linux paths with '/' as separator,
// their names carried as platform/filenames.h says.

QString BuildPath(const QString& folder, const QString& name);
QString GetFileName(const QString& path);
QString GetBaseName(const QString& path);
QString GetExtensionName(const QString& path);
QString GetParentFolderName(const QString& path);
bool FileExists(const QString& path);
bool FolderExists(const QString& path);
// Whether anything has the name, a broken link included.
bool pathTaken(const QString& path);
// The size of the file a path names; 0 when it cannot be told.
qint64 fileSize(const QString& path);
// Removes a file or a link (never a folder); false when nothing was removed.
bool removeFile(const QString& path);
// The file opened for reading, or nothing.
std::unique_ptr<QFile> openForReading(const QString& path);
// True for the folder a file system is mounted on ("/" included).
bool isVolumeRoot(const QString& path);

// When the file was created; file systems that keep no birth time give the last change.
std::optional<QDateTime> fileCreationDate(const QString& path);

struct FolderContents {
    QStringList subFolderNames;
    QStringList fileNames;
};

enum class FolderParts { SubFolders = 1, Files = 2, Both = 3 };
// Whether a link to a folder counts as a subfolder (a walk down a tree leaves them out, so
// a link back up never makes it endless).
enum class FolderLinks { Follow, Skip };

// The names of a folder's subfolders and files in the order a file manager shows them
// (locale-aware, case-insensitive, numbers by value); names starting with a dot are hidden.
// Empty when the folder cannot be read.
std::optional<FolderContents> GetFolder(const QString& path, FolderParts parts = FolderParts::Both,
                                        FolderLinks links = FolderLinks::Follow);

// What a failed file call's error number means, in a few Spanish words.
QString fileErrorReason(int error);

// Sorts bare names or paths in the platform's file list order.
void sortInFileOrder(QStringList& names);
