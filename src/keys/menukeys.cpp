// SPDX-License-Identifier: GPL-3.0-or-later
#include "keys/menukeys.h"

#include "form/elements.h"
#include "form/frmmain.h"
#include "form/keycodes.h"
#include "form/menulist.h"
#include "keys/controlpanelkeys.h"
#include "keys/jumppanelkeys.h"
#include "keys/windowkeys.h"
#include "menu/folderbrowser.h"
#include "menu/itemactivation.h"
#include "pictures/preview.h"
#include "platform/filesystem.h"

#include <QTimer>

namespace {

// The key of the highlighted row; empty when no row is highlighted.
QString highlightedKey(const FrmMain& window)
{
    const int row = window.LsvMenu->selectedRow();
    return row < 0 ? QString() : window.LsvMenu->rows().row(row).rowKey();
}

// A file or folder of the folder listed, by its full path. Only such a row is ever deleted.
bool isListedItem(const FrmMain& window, const QString& key)
{
    return window.Dir1.entries.contains(key) || (GetParentFolderName(key) == window.File1.path &&
                                                 window.File1.entries.contains(GetFileName(key)));
}

} // namespace

void LsvMenu_KeyDown(FrmMain& window, int KeyCode)
{
    if (window.importScreenShown())
        return;
    if (KeyCode == kKeyEnter && !window.playerViewShown() && !window.controlPanelShown())
        LsvMenu_Click(window);
    if (KeyCode == kKeyBackspace) {
        window.LsvMenu->selectRow(0);
        LsvMenu_Click(window);
    }
    const int arrowStep = KeyCode == kKeyRight ? +1 : KeyCode == kKeyLeft ? -1 : 0;
    if (arrowStep != 0) {
        if (window.jumpPanelShown())
            MoveJumpHighlight(window, arrowStep);
        else
            MoveControlHighlight(window, arrowStep);
    }
    if (KeyCode == kKeyEnter && !window.jumpPanelShown() && window.controlPanelShown()) {
        if (RunControlButton(window))
            return;
    }
    if (KeyCode == kKeyEnter && window.playerViewShown() && window.jumpPanelShown())
        RunJumpChoice(window);
    window.controlPanel.Timer2->stop();
}

void LsvMenu_KeyUp(FrmMain& window, int KeyCode)
{
    if (KeyCode == kKeyDelete) {
        const QString key = highlightedKey(window);
        if (!isListedItem(window, key))
            return;
        DeleteFiles(window, {key});
    }
    if (KeyCode == kKeyLeft || KeyCode == kKeyRight)
        window.controlPanel.Timer2->start();
    previewHighlightedRow(window, highlightedKey(window));
}

void keyWhileFolderIsRead(FrmMain& window, int KeyCode)
{
    if (KeyCode == kKeyEscape || KeyCode == kKeyBackspace)
        window.folders.cancel();
    else
        Form_KeyDown(window, KeyCode);
}

bool menuKeyIsConsumed(int KeyCode)
{
    return KeyCode == kKeyEnter || KeyCode == kKeyBackspace || KeyCode == kKeyLeft ||
           KeyCode == kKeyRight;
}

void LsvMenu_LostFocus(FrmMain& window)
{
    if (!window.importScreenShown())
        window.LsvMenu->setFocus();
}
