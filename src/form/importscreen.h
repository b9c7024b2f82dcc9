// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

class Outline;
class Panel;
class QLabel;
class QListWidget;
class QWidget;

// "¿ QUÉ DESEAS IMPORTAR ?": the choice of what to copy from the disc (picCopiar).
struct ImportScreen {
    Panel* picCopiar = nullptr;
    Panel* PicBuscando = nullptr; // the notice shown while the disc is searched
    QLabel* Label4 = nullptr;
    QListWidget* List1 = nullptr; // "Vídeos", "Música", "Imágenes"
    QLabel* Label1 = nullptr;
    std::array<QLabel*, 4> Label2{};
    Outline* Shape7 = nullptr;
    Outline* Shape8 = nullptr;
};

ImportScreen buildImportScreen(QWidget* window);
