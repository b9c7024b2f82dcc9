// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

struct FrmMain;

// Copies the files (moves them when MoveFiles) into Destination, showing the progress; what
// could not be copied is told once, in Spanish, at the end.
void CopyFiles(FrmMain& window, const QStringList& Colec, bool MoveFiles,
               const QString& Destination);
