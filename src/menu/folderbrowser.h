#pragma once

#include <QString>

class MainWindow;

// Lists the folder in the menu list: the three fixed rows, its subfolders, then its files
// that match File1's pattern, with the folder's name as the title and its cover picture
// beside the list. A folder that cannot be read stops it after the title, leaving the list
// as it was; false then.
bool Explore(MainWindow& window, const QString& Path);
