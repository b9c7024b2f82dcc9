// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct FrmMain;

// Enter on the import screen's list: searches the disc in the first optical drive for the
// chosen kind of media, copies what it finds into its library folder and closes the screen.
// Without a drive or a disc it says so and the screen stays open.
void List1_KeyDown(FrmMain& window, int KeyCode);
