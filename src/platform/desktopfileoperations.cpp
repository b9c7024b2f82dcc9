#include "platform/desktopfileoperations.h"

#include <QFile>

FileOperations::Outcome DesktopFileOperations::moveToTrash(const QString& from)
{
    Outcome outcome;
    for (const QString& path : pathsOfSourceList(from)) {
        QFile item(path);
        if (item.moveToTrash())
            outcome.done << path;
        else
            outcome.failed << QStringLiteral("%1: no se pudo llevar a la papelera (%2)")
                                  .arg(path, item.errorString());
    }
    return outcome;
}
