#include "app/application.h"
#include "app/mainwindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("sofavio"));
    Sofavio sofavio(QCoreApplication::applicationDirPath());
    sofavio.window().showOnScreen();
    return QApplication::exec();
}
