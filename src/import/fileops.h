#pragma once

#include <QStringList>

class MainWindow;

// Sends the files and folders to the desktop's trash once the user has said yes, then lists
// the folder again. Nothing is touched on "No"; what could not be moved is told in Spanish.
void DeleteFiles(MainWindow& window, const QStringList& Colec);

// Copies the files (moves them when MoveFiles) into Destination, showing the progress; what
// could not be copied is told once, in Spanish, at the end.
void CopyFiles(MainWindow& window, const QStringList& Colec, bool MoveFiles,
               const QString& Destination);
