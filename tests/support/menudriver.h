// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class MainWindow;

// The texts of the menu list's rows, a main-menu row by its caption.
QStringList rowTexts(MainWindow& window);
// Highlights the row showing `text`; false, with a warning, when there is none.
bool highlightRow(MainWindow& window, const QString& text);
// Highlights it and presses Enter on the list.
bool chooseRow(MainWindow& window, const QString& text);
// Lists the folder; true once it is listed.
bool listFolder(MainWindow& window, const QString& path);
