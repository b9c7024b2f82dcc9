#pragma once

#include <array>

class Outline;
class Panel;
class QLabel;
class QProgressBar;
class QWidget;

// "Saltar a la Posición:": picks a new play position with arrows and Enter (PicSaltar).
struct JumpPanel {
    Panel* PicSaltar = nullptr;
    QProgressBar* pBar = nullptr;
    QLabel* Label3 = nullptr;
    std::array<QLabel*, 3> LblSaltar{}; // "Más", "Menos", "OK"
    QLabel* Label5 = nullptr;
    Outline* Shape6 = nullptr;
    QLabel* Label6 = nullptr;
    Outline* Shape5 = nullptr; // the highlight of the chosen choice
};

JumpPanel buildJumpPanel(QWidget* window);
