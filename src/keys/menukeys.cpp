#include "keys/menukeys.h"

#include "app/elements.h"
#include "app/mainwindow.h"
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
    window.controlPanel.Timer2->stop();
}

bool menuKeyIsConsumed(int KeyCode)
{
    return KeyCode == kKeyEnter || KeyCode == kKeyBackspace || KeyCode == kKeyLeft ||
           KeyCode == kKeyRight;
}
