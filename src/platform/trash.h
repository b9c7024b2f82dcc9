// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Moves a file or folder into the desktop's trash, laid out as freedesktop.org sets it, where
// file managers show it and can put it back: the home trash for a file on the home's file
// system, otherwise the trash of the file's own mount. Never anywhere else: when no trash
// can be made for it, nothing is moved. False, with the reason in Spanish, on failure.
bool moveToDesktopTrash(const QString& path, QString& reason);
