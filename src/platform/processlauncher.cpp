// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/processlauncher.h"

#include <QProcess>

bool ProcessLauncher::start(const QString& commandLine)
{
    QStringList arguments = QProcess::splitCommand(commandLine);
    if (arguments.isEmpty())
        return false;
    const QString program = arguments.takeFirst();
    return QProcess::startDetached(program, arguments);
}
