// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/trash.h"

#include "platform/filenames.h"
#include "platform/filesystem.h"
#include "platform/logging.h"

#include <QDateTime>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kInfoSuffix = ".trashinfo";

// A trash: its folder, and the folder the Path lines of its entries are relative to (empty
// for the home trash, whose lines are absolute).
struct Trash {
    QString folder;
    QString topDir;
};

bool isOwnFolder(const QString& path)
{
    struct stat status {};
    return ::lstat(fileNameBytes(path).constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid();
}

// Makes the folder and any missing folder above it, each only for its owner.
bool makeFolders(const QString& path)
{
    if (FolderExists(path))
        return true;
    const QString parent = GetParentFolderName(path);
    if (!parent.isEmpty() && parent != path && !makeFolders(parent))
        return false;
    return ::mkdir(fileNameBytes(path).constData(), 0700) == 0 || errno == EEXIST;
}

bool makeTrashFolders(const Trash& trash)
{
    return makeFolders(BuildPath(trash.folder, QStringLiteral("files"))) &&
           makeFolders(BuildPath(trash.folder, QStringLiteral("info")));
}

std::optional<Trash> homeTrash()
{
    QString data = fileNameFromBytes(qgetenv("XDG_DATA_HOME"));
    if (!data.startsWith(u'/')) { // a relative value is to be ignored
        const QString home = fileNameFromBytes(qgetenv("HOME"));
        if (!home.startsWith(u'/'))
            return std::nullopt;
        data = BuildPath(home, QStringLiteral(".local/share"));
    }
    return Trash{BuildPath(data, QStringLiteral("Trash")), QString()};
}

// The device the path is on, or would be on once made: that of its nearest existing folder.
std::optional<dev_t> deviceOf(QString path)
{
    struct stat status {};
    while (!path.isEmpty()) {
        if (::stat(fileNameBytes(path).constData(), &status) == 0)
            return status.st_dev;
        path = GetParentFolderName(path);
    }
    return std::nullopt;
}

QString mountRootOf(const QString& path)
{
    QString folder = GetParentFolderName(path);
    while (!folder.isEmpty() && folder != u"/" && !isVolumeRoot(folder))
        folder = GetParentFolderName(folder);
    return folder;
}

// The trash of the mount that holds the path: the administrator's shared .Trash, when it
// is one that may be trusted, otherwise the user's own .Trash-UID, made when missing.
std::optional<Trash> mountTrash(const QString& path)
{
    const QString topDir = mountRootOf(path);
    if (topDir.isEmpty())
        return std::nullopt;
    const QString uid = QString::number(::geteuid());
    const QString shared = BuildPath(topDir, QStringLiteral(".Trash"));
    struct stat status {};
    if (::lstat(fileNameBytes(shared).constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
        (status.st_mode & S_ISVTX)) {
        const Trash trash{BuildPath(shared, uid), topDir};
        if ((FolderExists(trash.folder) ||
             ::mkdir(fileNameBytes(trash.folder).constData(), 0700) == 0) &&
            isOwnFolder(trash.folder) && makeTrashFolders(trash))
            return trash;
    }
    const Trash own{BuildPath(topDir, QStringLiteral(".Trash-") + uid), topDir};
    if (!FolderExists(own.folder) && ::mkdir(fileNameBytes(own.folder).constData(), 0700) != 0)
        return std::nullopt;
    if (!isOwnFolder(own.folder) || !makeTrashFolders(own))
        return std::nullopt;
    return own;
}

// The name, cut so that the info file's name fits too, and the suffix that sets it apart.
QString fittingName(const QString& name, const QString& suffix)
{
    return nameCutToFit(name, fileNameBytes(suffix).size() + kInfoSuffix.size()) + suffix;
}

QByteArray infoText(const QString& path, const Trash& trash)
{
    QByteArray original = fileNameBytes(path);
    if (!trash.topDir.isEmpty())
        original = original.mid(fileNameBytes(BuildPath(trash.topDir, QString())).size());
    return "[Trash Info]\nPath=" + original.toPercentEncoding("/") + "\nDeletionDate=" +
           QDateTime::currentDateTime().toString(Qt::ISODate).left(19).toLatin1() + '\n';
}

// Writes the info file under a name no other entry of the trash has, and gives that name.
std::optional<QString> reserveEntry(const QString& path, const Trash& trash, int& error)
{
    const QByteArray info = infoText(path, trash);
    for (int n = 1; n < 10000; ++n) {
        const QString name =
            fittingName(GetFileName(path), n == 1 ? QString() : QStringLiteral(".%1").arg(n));
        if (pathTaken(BuildPath(trash.folder, QStringLiteral("files/") + name)))
            continue;
        const QByteArray infoPath =
            fileNameBytes(BuildPath(trash.folder, QStringLiteral("info/") + name)) + kInfoSuffix;
        const int fd = ::open(infoPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0) {
            error = errno;
            return std::nullopt;
        }
        const bool written = ::write(fd, info.constData(), std::size_t(info.size())) == info.size();
        error = errno;
        if (::close(fd) != 0 || !written) {
            if (::unlink(infoPath.constData()) != 0)
                qCWarning(lcPlatform, "cannot remove the trash entry %s", infoPath.constData());
            return std::nullopt;
        }
        return name;
    }
    error = EEXIST;
    return std::nullopt;
}

bool moveInto(const QString& path, const Trash& trash, int& error)
{
    const auto name = reserveEntry(path, trash, error);
    if (!name)
        return false;
    const QString target = BuildPath(trash.folder, QStringLiteral("files/") + *name);
    if (::rename(fileNameBytes(path).constData(), fileNameBytes(target).constData()) == 0)
        return true;
    error = errno;
    const QString info =
        BuildPath(trash.folder, QStringLiteral("info/") + *name + QString::fromLatin1(kInfoSuffix));
    // An info file without its file is an empty entry in every trash viewer.
    if (!removeFile(info))
        qCWarning(lcPlatform, "cannot remove the trash entry %s", qPrintable(info));
    return false;
}

} // namespace

bool moveToDesktopTrash(const QString& path, QString& reason)
{
    struct stat status {};
    if (!path.startsWith(u'/') || ::lstat(fileNameBytes(path).constData(), &status) != 0) {
        reason = fileErrorReason(ENOENT);
        return false;
    }
    int error = 0;
    const auto home = homeTrash();
    if (home && deviceOf(home->folder) == status.st_dev) {
        if (!makeTrashFolders(*home)) {
            reason = QStringLiteral("no se puede crear la papelera en %1")
                         .arg(readableName(home->folder));
            return false;
        }
        if (moveInto(path, *home, error))
            return true;
        if (error != EXDEV) { // a bind mount of the home's own file system
            reason = fileErrorReason(error);
            return false;
        }
    }
    const auto own = mountTrash(path);
    if (!own) {
        reason = QStringLiteral("este disco no tiene papelera y no se puede crear una");
        return false;
    }
    if (moveInto(path, *own, error))
        return true;
    reason = fileErrorReason(error);
    return false;
}
