// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct FrmMain;

// The window loads: the layout for the screen, the library folders and the TV command from
// folders.ini, and the main menu in the list, which has the focus.
void Form_Load(FrmMain& window);
