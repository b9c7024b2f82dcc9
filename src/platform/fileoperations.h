// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What the desktop does with files for the program: moving them to its trash.
class FileOperations {
public:
    virtual ~FileOperations() = default;

    struct Outcome {
        QStringList done;   // the paths it acted on
        QStringList failed; // each as "path: reason", in Spanish
    };

    // `from` names the files and folders as the shell's source list does: each path ended by
    // a NUL, the list ended by one more.
    virtual Outcome moveToTrash(const QString& from) = 0;
};

// The paths of a source list: each path ended by a NUL, then one more NUL.
QString shellSourceList(const QStringList& paths);
QStringList pathsOfSourceList(const QString& from);
