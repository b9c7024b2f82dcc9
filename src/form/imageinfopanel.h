// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Panel;
class QLabel;
class QWidget;

// Size and date of the previewed picture, under the preview (PicImageInfo).
struct ImageInfoPanel {
    Panel* PicImageInfo = nullptr;
    QLabel* Label8 = nullptr; // "Tamaño"
    QLabel* Label7 = nullptr; // "Fecha"
    QLabel* LblImSize = nullptr;
    QLabel* LblImDate = nullptr;
};

ImageInfoPanel buildImageInfoPanel(QWidget* window);
