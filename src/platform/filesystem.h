#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

// Path and file questions of the whole program. Paths are Linux paths with '/' as separator.

QString BuildPath(const QString& folder, const QString& name);
QString GetFileName(const QString& path);
QString GetBaseName(const QString& path);
QString GetExtensionName(const QString& path);
QString GetParentFolderName(const QString& path);
bool FileExists(const QString& path);
bool FolderExists(const QString& path);
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

// Sorts bare names or paths in the platform's file list order.
void sortInFileOrder(QStringList& names);
