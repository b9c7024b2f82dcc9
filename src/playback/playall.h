// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct FrmMain;

// Plays every file of the listing on screen, in order, and writes them to list.m3u in the
// program's folder. When the file cannot be written the user is told and nothing changes.
void EnqueueAll(FrmMain& window);
