// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

class Outline;
class Panel;
class QLabel;
class QProgressBar;
class QWidget;

// The bar of the jump panel: a target position in seconds out of the media's length, kept
// in single precision as the panel works it; the progress bar only shows it.
struct JumpBar {
    float maximum = 100;
    float value = 0;
    QProgressBar* pBar = nullptr;

    // A bar refuses a length that is not positive and a value outside 0 to its length;
    // what it refuses is left as it was.
    void setMaximum(float seconds);
    void setValue(float seconds);
};

// "Saltar a la Posición:": picks a new play position with arrows and Enter (PicSaltar).
struct JumpPanel {
    Panel* PicSaltar = nullptr;
    JumpBar bar; // holds the progress bar pBar
    QLabel* Label3 = nullptr;
    std::array<QLabel*, 3> LblSaltar{}; // "Más", "Menos", "OK"
    QLabel* Label5 = nullptr;
    Outline* Shape6 = nullptr;
    QLabel* Label6 = nullptr;
    Outline* Shape5 = nullptr; // the highlight of the chosen choice
};

JumpPanel buildJumpPanel(QWidget* window);
