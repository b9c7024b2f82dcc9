// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktopfileoperations.h"

#include "platform/filenames.h"
#include "platform/trash.h"

FileOperations::Outcome DesktopFileOperations::moveToTrash(const QString& from)
{
    Outcome outcome;
    for (const QString& path : pathsOfSourceList(from)) {
        QString reason;
        if (moveToDesktopTrash(path, reason))
            outcome.done << path;
        else
            outcome.failed << QStringLiteral("%1: no se pudo llevar a la papelera (%2)")
                                  .arg(readableName(path), reason);
    }
    return outcome;
}
