// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct FrmMain;

// What a key pressed on the menu list does, by which panels are on screen. The window's own
// keys have been handled before it.
void LsvMenu_KeyDown(FrmMain& window, int KeyCode);

// A key let go on the list: Delete sends the highlighted file or folder to the trash, Left
// and Right start the control panel's auto-hide, and the preview follows the highlight.
void LsvMenu_KeyUp(FrmMain& window, int KeyCode);

// A key pressed while a folder is being read: Backspace and Escape give the folder up and
// leave the user where they were; the keys of what plays act; any other key is not taken,
// as the list it would act on is about to be replaced.
void keyWhileFolderIsRead(FrmMain& window, int KeyCode);

// Keys the list must not handle itself after LsvMenu_KeyDown (a tree view would expand,
// collapse or search on them).
bool menuKeyIsConsumed(int KeyCode);

// The list keeps the focus, but for the import screen's own list.
void LsvMenu_LostFocus(FrmMain& window);
