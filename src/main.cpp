// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"
#include "app/mainwindow.h"
#include "app/termination.h"
#include "platform/bigscreen.h"
#include "platform/fileworker.h"

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv)
{
    const char* scaling = scaleForBigScreens();
    QApplication application(argc, argv);
    if (scaling)
        qunsetenv(scaling);
    QApplication::setApplicationName(QStringLiteral("sofavio"));
    // Wayland matches the window to its desktop entry, and so to its name and icon, by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.sofavio.Sofavio"));
    quitOnTerminationSignals();
    const int status = [] {
        Sofavio sofavio(QCoreApplication::applicationDirPath());
        sofavio.window().showOnScreen();
        return QApplication::exec();
    }();
    // The window and its services are gone; a call still stuck on a dead share would wake into
    // a program being torn down: end at once, and let the kernel take the thread with it.
    if (FileWorker::threadsAtWork() > 0)
        std::quick_exit(status);
    return status;
}
