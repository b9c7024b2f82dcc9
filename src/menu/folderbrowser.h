#pragma once

#include <QStringList>

struct FrmMain;

// Lists the folder in the menu list: the three fixed rows, its subfolders, then its files
// that match File1's pattern, with the folder's name as the title and its cover picture
// beside the list. A folder that cannot be read stops it after the title, leaving the list
// as it was; false then.
bool Explore(FrmMain& window, const QString& Path);

// Sends the files and folders to the desktop's trash once the user has said yes, then lists
// the folder again. Nothing is touched on "No"; what could not be moved is told in Spanish.
void DeleteFiles(FrmMain& window, const QStringList& Colec);
