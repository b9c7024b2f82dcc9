// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/messagebox.h"

#include <QMessageBox>

void showMessage(QWidget* owner, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Sofavio"), text, QMessageBox::Ok, owner);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}
