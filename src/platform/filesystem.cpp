// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/filesystem.h"

#include "platform/filenames.h"

#include <QCollator>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The path without trailing separators; the root stays "/".
QString withoutTrailingSeparators(const QString& path)
{
    qsizetype end = path.size();
    while (end > 1 && path.at(end - 1) == u'/')
        --end;
    return path.left(end);
}

// What stat says of the path, following links; nothing when there is no such file.
std::optional<struct stat> fileStatus(const QString& path)
{
    struct stat status {};
    if (path.isEmpty() || ::stat(fileNameBytes(path).constData(), &status) != 0)
        return std::nullopt;
    return status;
}

} // namespace

QString BuildPath(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    qsizetype nameStart = 0;
    while (nameStart < name.size() && name.at(nameStart) == u'/')
        ++nameStart;
    QString joined = withoutTrailingSeparators(folder);
    if (!joined.endsWith(u'/'))
        joined += u'/';
    return joined + name.mid(nameStart);
}

QString GetFileName(const QString& path)
{
    const QString trimmed = withoutTrailingSeparators(path);
    if (trimmed == u"/")
        return {};
    return trimmed.mid(trimmed.lastIndexOf(u'/') + 1);
}

QString GetBaseName(const QString& path)
{
    const QString name = GetFileName(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

QString GetExtensionName(const QString& path)
{
    const QString name = GetFileName(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot + 1);
}

QString GetParentFolderName(const QString& path)
{
    const QString trimmed = withoutTrailingSeparators(path);
    const qsizetype slash = trimmed.lastIndexOf(u'/');
    if (slash < 0 || trimmed == u"/")
        return {};
    return slash == 0 ? QStringLiteral("/") : trimmed.left(slash);
}

bool FileExists(const QString& path)
{
    const auto status = fileStatus(path);
    return status && !S_ISDIR(status->st_mode);
}

bool FolderExists(const QString& path)
{
    const auto status = fileStatus(path);
    return status && S_ISDIR(status->st_mode);
}

bool pathTaken(const QString& path)
{
    struct stat status {};
    return !path.isEmpty() && ::lstat(fileNameBytes(path).constData(), &status) == 0;
}

qint64 fileSize(const QString& path)
{
    const auto status = fileStatus(path);
    return status ? qint64(status->st_size) : 0;
}

bool removeFile(const QString& path)
{
    return !path.isEmpty() && ::unlink(fileNameBytes(path).constData()) == 0;
}

std::unique_ptr<QFile> openForReading(const QString& path)
{
    const int fd = ::open(fileNameBytes(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    auto file = std::make_unique<QFile>();
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return nullptr;
    }
    return file;
}

bool isVolumeRoot(const QString& path)
{
    if (path.isEmpty())
        return false;
    struct statx status {};
    if (statx(AT_FDCWD, fileNameBytes(path).constData(), 0, STATX_INO, &status) != 0)
        return false;
    if (status.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT)
        return status.stx_attributes & STATX_ATTR_MOUNT_ROOT;
    // Kernels before 5.8 do not tell; a change of device on the way up is the next best sign.
    const auto here = fileStatus(path);
    const auto above = fileStatus(path + QStringLiteral("/.."));
    return here && above && (here->st_dev != above->st_dev || here->st_ino == above->st_ino);
}

std::optional<QDateTime> fileCreationDate(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    struct statx status {};
    if (statx(AT_FDCWD, fileNameBytes(path).constData(), 0, STATX_BTIME | STATX_MTIME, &status) !=
        0)
        return std::nullopt;
    const statx_timestamp& time =
        (status.stx_mask & STATX_BTIME) ? status.stx_btime : status.stx_mtime;
    return QDateTime::fromMSecsSinceEpoch(time.tv_sec * 1000 + time.tv_nsec / 1000000);
}

QString fileErrorReason(int error)
{
    switch (error) {
    case ENOSPC:
        return QStringLiteral("no queda espacio en el destino");
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral("no hay permiso para escribir");
    case ENOENT:
        return QStringLiteral("no existe");
    case EEXIST:
        return QStringLiteral("ya existe");
    case EIO:
        return QStringLiteral("error de lectura del disco");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

void sortInFileOrder(QStringList& names)
{
    // The C locale compares bytes; a file manager would sort in the user's language, and
    // this program's language is Spanish.
    const QLocale system;
    QCollator collator(system.language() == QLocale::C ? QLocale(QLocale::Spanish, QLocale::Spain)
                                                       : system);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    // Keys made once per name make large folders sort in a fraction of the time.
    std::vector<std::pair<QCollatorSortKey, qsizetype>> keys;
    keys.reserve(std::size_t(names.size()));
    for (qsizetype i = 0; i < names.size(); ++i)
        keys.emplace_back(collator.sortKey(names.at(i)), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const auto& key : keys)
        sorted << names.at(key.second);
    names = std::move(sorted);
}

std::optional<FolderContents> GetFolder(const QString& path, FolderParts parts, FolderLinks links)
{
    if (path.isEmpty())
        return std::nullopt;
    // readdir tells most entries' kind without a stat call each, which matters in a folder
    // of a hundred thousand files.
    DIR* dir = opendir(fileNameBytes(path).constData());
    if (!dir)
        return std::nullopt;
    const bool wantFolders = int(parts) & int(FolderParts::SubFolders);
    const bool wantFiles = int(parts) & int(FolderParts::Files);
    FolderContents contents;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue; // hidden, and the folder itself and its parent
        unsigned char type = entry->d_type;
        const bool link = type == DT_LNK;
        if (type == DT_LNK || type == DT_UNKNOWN) {
            // A link counts as what it points to; a broken one is left out.
            struct stat target {};
            if (fstatat(dirfd(dir), entry->d_name, &target, 0) != 0)
                continue;
            type = S_ISDIR(target.st_mode) ? DT_DIR : S_ISREG(target.st_mode) ? DT_REG : DT_UNKNOWN;
            if (link && type == DT_DIR && links == FolderLinks::Skip)
                continue;
        }
        if (type == DT_DIR && wantFolders)
            contents.subFolderNames << fileNameFromBytes(entry->d_name);
        else if (type == DT_REG && wantFiles)
            contents.fileNames << fileNameFromBytes(entry->d_name);
    }
    closedir(dir);
    sortInFileOrder(contents.subFolderNames);
    sortInFileOrder(contents.fileNames);
    return contents;
}
