// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// Which names a pattern of wildcards separated by ';' admits, without regard to case.
class NamePattern {
public:
    explicit NamePattern(const QString& pattern);
    bool matches(const QString& name) const;

private:
    QStringList m_suffixes;                    // "*.ext" patterns, the usual case, as ".ext"
    QList<QRegularExpression> m_otherPatterns; // anything else, as wildcards
};

// The files of one folder that match a pattern, by bare name, in the platform's order.
struct FileList {
    QString path;
    QString pattern; // wildcards separated by ';'
    QStringList entries;

    // Takes the folder's file names as read already, keeping those the pattern admits.
    void assign(const QString& folder, const QStringList& fileNames);
};

// The subfolders of one folder, as full paths, in the platform's order.
struct DirList {
    QString path;
    QStringList entries;
    bool volumeRoot = false; // the folder is the root of its volume

    void assign(const QString& folder, const QStringList& subFolderNames);
    QString parent() const;
};
