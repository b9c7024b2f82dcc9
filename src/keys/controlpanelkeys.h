// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct FrmMain;

// Shows the panel and moves its frame one button right (+1) or left (-1), wrapping.
void MoveControlHighlight(FrmMain& window, int step);

// Carries out the framed button. True when it ends the key handling: after SELECT, and when
// PREV or NEXT finds no further song; the panel then stays up.
bool RunControlButton(FrmMain& window);

// While the panel is up, the player's picture ends above it.
void PicControls_Paint(FrmMain& window);
