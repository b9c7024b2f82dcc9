// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct FrmMain;

// The keys that work on every screen, seen by the window before the list that has the
// focus: Space pauses and resumes, Escape backs out, F1 and F2 set the A-B repeat.
void Form_KeyDown(FrmMain& window, int KeyCode);
