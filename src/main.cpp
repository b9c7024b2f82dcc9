#include "app/application.h"
#include "app/mainwindow.h"
#include "app/termination.h"
#include "platform/bigscreen.h"

#include <QApplication>

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
    Sofavio sofavio(QCoreApplication::applicationDirPath());
    sofavio.window().showOnScreen();
    return QApplication::exec();
}
