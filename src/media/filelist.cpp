// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/filelist.h"

#include "platform/filesystem.h"

NamePattern::NamePattern(const QString& pattern)
{
    for (const QString& part : pattern.split(u';', Qt::SkipEmptyParts)) {
        const QString suffix = part.mid(1);
        if (part.startsWith(u'*') && !suffix.contains(u'*') && !suffix.contains(u'?') &&
            !suffix.contains(u'['))
            m_suffixes << suffix;
        else
            m_otherPatterns << QRegularExpression(
                QRegularExpression::wildcardToRegularExpression(part),
                QRegularExpression::CaseInsensitiveOption);
    }
}

bool NamePattern::matches(const QString& name) const
{
    for (const QString& suffix : m_suffixes) {
        if (name.endsWith(suffix, Qt::CaseInsensitive))
            return true;
    }
    for (const QRegularExpression& expression : m_otherPatterns) {
        if (expression.match(name).hasMatch())
            return true;
    }
    return false;
}

void FileList::assign(const QString& folder, const QStringList& fileNames)
{
    const NamePattern admitted(pattern);
    QStringList matching;
    for (const QString& name : fileNames) {
        if (admitted.matches(name))
            matching << name;
    }
    path = folder;
    entries = std::move(matching);
}

void DirList::assign(const QString& folder, const QStringList& subFolderNames)
{
    path = folder;
    entries.clear();
    entries.reserve(subFolderNames.size());
    for (const QString& name : subFolderNames)
        entries << BuildPath(folder, name);
}

QString DirList::parent() const
{
    return GetParentFolderName(path);
}
