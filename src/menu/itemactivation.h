// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct FrmMain;

// Acts on the highlighted row of the menu list: opens a library, a drive or a folder, goes
// back, plays a file or the whole listing, shows a picture, opens the import screen, starts
// the TV program or ends the program.
void LsvMenu_Click(FrmMain& window);
