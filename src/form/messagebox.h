// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// The program's message box: captioned "Sofavio", OK only, closed with Enter.
void showMessage(QWidget* owner, const QString& text);
