// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct FrmMain;

// Opens the panel over the video at the current position, "Más" framed.
void OpenJumpPanel(FrmMain& window);
// Moves the frame one choice right (+1) or left (-1), wrapping.
void MoveJumpHighlight(FrmMain& window, int step);
// "Más" and "Menos" move the target a tenth of the length, refusing a move that reaches
// either end; "OK" jumps there and closes the panels.
void RunJumpChoice(FrmMain& window);
// Closes the panel and gives the video its surface back.
void CloseJumpPanel(FrmMain& window);

// The jump panel keeps the control panel up behind it for as long as it is shown.
void PicSaltar_Paint(FrmMain& window);
