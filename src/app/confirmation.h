#pragma once

#include <QString>

class QWidget;

// Asks a yes-or-no question in the program's own look: "Sí" and "No" chosen with the arrows
// and Enter, Escape meaning "No". "No" is chosen at first, so a stray Enter loses nothing.
bool confirm(QWidget* owner, const QString& question);
