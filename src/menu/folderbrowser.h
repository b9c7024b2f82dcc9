// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

struct FolderListing;
struct FrmMain;

// Lists the folder in the menu list: the three fixed rows, its subfolders, then its files
// that match File1's pattern, with the folder's name as the title and its cover picture
// beside the list. A folder that cannot be read stops it after the title, leaving the list
// as it was. The folder is read off the screen's thread: one that answers at once is listed
// before this returns, a slow one when it answers (see FolderReader).
void Explore(FrmMain& window, const QString& Path);

// The second half of Explore, for a folder read.
void showFolder(FrmMain& window, const FolderListing& listing);

// Shows the notice of a folder being read, and the message of one that does not answer;
// called once, when the window is built.
void connectFolderReader(FrmMain& window);

// Sends the files and folders to the desktop's trash once the user has said yes, then lists
// the folder again. Nothing is touched on "No"; what could not be moved is told in Spanish.
void DeleteFiles(FrmMain& window, const QStringList& Colec);
