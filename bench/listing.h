// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/mainwindow.h"
#include "menu/folderbrowser.h"

#include <QCoreApplication>

// Explore, until the folder is listed: a folder that does not answer at once is listed from
// the event loop.
inline void exploreAndWait(MainWindow& window, const QString& folder)
{
    Explore(window, folder);
    while (window.folders.reading())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}
