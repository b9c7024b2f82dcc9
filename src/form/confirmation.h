// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Asks a question in the program's own look: the answers in a row, chosen with the arrows
// and Enter. Returns the index of the answer, or -1 for Escape.
int choose(QWidget* owner, const QString& question, const QStringList& answers, int initial);

// "Sí" or "No", with "No" chosen at first so a stray Enter loses nothing; Escape is "No".
bool confirm(QWidget* owner, const QString& question);
