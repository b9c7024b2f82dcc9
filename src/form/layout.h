// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct FrmMain;

// Sizes and places the elements for the screen the window is on, once while it loads.
void applyStartupLayout(FrmMain& window);

// Places what follows the window's size, on every resize: the list in the middle of the
// height, the title and its frame above it, the preview beside it, the time at the right.
void applyRelayout(FrmMain& window);
