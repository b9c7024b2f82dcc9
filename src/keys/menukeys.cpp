#include "keys/menukeys.h"

#include "form/elements.h"
#include "form/frmmain.h"
#include "form/keycodes.h"
#include "form/menulist.h"
#include "keys/controlpanelkeys.h"
#include "keys/jumppanelkeys.h"
#include "menu/folderbrowser.h"
#include "menu/itemactivation.h"
#include "pictures/preview.h"
#include "platform/filesystem.h"

#include <QDir>
#include <QTimer>

namespace {

// The key of the highlighted row; empty when no row is highlighted.
QString highlightedKey(const FrmMain& window)
{
    const int row = window.LsvMenu->selectedRow();
    return row < 0 ? QString() : window.LsvMenu->rows().row(row).rowKey();
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
        // Only a listed file or folder, named by its full path, is ever deleted.
        if (!QDir::isAbsolutePath(key) || (!FileExists(key) && !FolderExists(key)))
            return;
        DeleteFiles(window, {key});
    }
    if (KeyCode == kKeyLeft || KeyCode == kKeyRight)
        window.controlPanel.Timer2->start();
    previewHighlightedRow(window, highlightedKey(window));
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
