// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "form/menumodel.h"

#include <vector>

class Drives;
struct FrmMain;
class MenuList;
class Picture;
class QLabel;

inline constexpr auto kMainMenuTitle = u"Telarino 0.1a";

// The rows of the main menu for the drives present now. When the drives cannot be listed
// the drive rows are left out and the rest of the menu still stands.
std::vector<MenuRow> mainMenuRows(const Drives& drives);

// Puts the main menu in the list, clears the preview and titles the screen.
void ShowMenu(MenuList& list, Picture& preview, QLabel& title, const Drives& drives);
// The same in the window, which also forgets a picture still being decoded for the preview.
void ShowMenu(FrmMain& window);
