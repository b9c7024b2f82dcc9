#include "platform/filesystem.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>

namespace {

// The path without trailing separators; the root stays "/".
QString withoutTrailingSeparators(const QString& path)
{
    qsizetype end = path.size();
    while (end > 1 && path.at(end - 1) == u'/')
        --end;
    return path.left(end);
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
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && !info.isDir();
}

bool FolderExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

std::optional<QDateTime> fileCreationDate(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    const QDateTime born = info.birthTime();
    return born.isValid() ? born : info.lastModified();
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
    std::stable_sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
}

std::optional<FolderContents> GetFolder(const QString& path)
{
    const QDir dir(path);
    if (path.isEmpty() || !dir.exists() || !dir.isReadable())
        return std::nullopt;
    FolderContents contents{dir.absolutePath(), {}, {}};
    QStringList folders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    QStringList files = dir.entryList(QDir::Files, QDir::NoSort);
    sortInFileOrder(folders);
    sortInFileOrder(files);
    for (const QString& name : std::as_const(folders))
        contents.subFolders << BuildPath(contents.path, name);
    for (const QString& name : std::as_const(files))
        contents.files << BuildPath(contents.path, name);
    return contents;
}
