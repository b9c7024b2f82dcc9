#include "app/application.h"
#include "app/mainwindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("sofavio"));
    // Wayland matches the window to its desktop entry, and so to its name and icon, by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.sofavio.Sofavio"));
    Sofavio sofavio(QCoreApplication::applicationDirPath());
    sofavio.window().showOnScreen();
    return QApplication::exec();
}
