#include "keys/menukeys.h"

#include "app/elements.h"
#include "app/mainwindow.h"
#include "keys/controlpanel.h"
#include "keys/jumppanel.h"
#include "keys/keycodes.h"
#include "menu/itemactivation.h"
#include "menu/menulist.h"

#include <QTimer>

void LsvMenu_KeyDown(MainWindow& window, int KeyCode)
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

bool menuKeyIsConsumed(int KeyCode)
{
    return KeyCode == kKeyEnter || KeyCode == kKeyBackspace || KeyCode == kKeyLeft ||
           KeyCode == kKeyRight;
}
