// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

class Outline;
class Panel;
class Picture;
class QLabel;
class QTimer;
class QWidget;

// The row of six buttons worked with Left, Right and Enter (PicControls).
struct ControlPanel {
    Panel* PicControls = nullptr;
    QTimer* Timer2 = nullptr;            // hides the panel a while after the last arrow
    std::array<Picture*, 6> ImgBut{};    // indexed as designed: 3 is SELECT, 5 is PREV
    std::array<QLabel*, 6> LblControl{}; // button positions, counted from the left
    Outline* Shape3 = nullptr;           // the panel's frame
    Outline* Shape4 = nullptr;           // the highlight of the chosen button
};

ControlPanel buildControlPanel(QWidget* window);
