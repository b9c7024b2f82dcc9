#pragma once

#include <QStringList>

class MainWindow;

// Sends the files and folders to the desktop's trash once the user has said yes, then lists
// the folder again. Nothing is touched on "No"; what could not be moved is told in Spanish.
void DeleteFiles(MainWindow& window, const QStringList& Colec);
