// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QSizeF>

// Where the main window's elements sit as designed, in twips (left, top, width, height).
namespace designRect {
inline const QRectF picCopiar{720, 1440, 8775, 4575};
inline const QRectF PicSaltar{600, 840, 6735, 3735};
inline const QRectF PicControls{0, 7080, 10095, 975};
inline const QRectF PicMediaPlayer{0, 0, 10095, 8055};
inline const QRectF PicNowPlaying{120, 7800, 8775, 1095};
inline const QRectF LsvMenu{120, 2400, 10335, 5895};
inline const QRectF PicImageInfo{8040, 6840, 3615, 1815};
inline const QRectF Image2{0, 0, 3135, 3015};
inline const QRectF Shape1{480, 2280, 10455, 855};
inline const QRectF LblTitle{645, 2400, 10455, 615};
inline const QRectF Image1{0, -120, 2040, 1680};
inline const QRectF Shape3{0, 0, 4335, 975};
inline const QRectF Shape2{0, 0, 8655, 1095};
inline const QRectF lblTime{240, 480, 3135, 495};
inline const QRectF LblNowPlaying{240, 120, 4545, 480};
inline const QRectF MediaPlayer{0, 0, 4500, 3000};
} // namespace designRect

// Sizes and places set once while the window loads, from the screen size.
struct StartupGeometry {
    QRectF Image2;
    QRectF PicMediaPlayer;
    QRectF PicControls;
    QRectF Shape3;
    QRectF LsvMenu;
    QRectF PicNowPlaying;
    QRectF Shape2;
    QRectF LblNowPlaying;
};
StartupGeometry startupLayout(QSizeF screen);

// Positions set on every resize. The list keeps the height and left edge it was given at
// start-up; the title, its frame and the preview follow the list.
struct RelayoutGeometry {
    QSizeF Image1Size;
    double LsvMenuTop;
    double PicNowPlayingLeft;
    double LblTitleWidth;
    double Shape1Width;
    double LblTitleTop;
    double Image2Top;
    double Shape1Top;
    double LblTitleLeft;
    double Shape1Left;
    double lblTimeLeft;
};
RelayoutGeometry relayout(const QRectF& list, double timeLabelWidth, QSizeF screen, QSizeF window);

// The player component's height while the control panel is on screen: it ends just above it.
double playerHeightAboveControls(QSizeF screen, double controlsHeight);

// The green of the background at a row, in twips from the top: black for the first 120
// rows, then one step brighter every 121 rows.
int gradientGreen(double twipRow);
