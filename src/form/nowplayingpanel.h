// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Outline;
class Panel;
class QLabel;
class QWidget;

// What is playing and for how long, at the foot of the screen (PicNowPlaying).
struct NowPlayingPanel {
    Panel* PicNowPlaying = nullptr;
    QLabel* lblTime = nullptr;
    QLabel* LblNowPlaying = nullptr;
    Outline* Shape2 = nullptr;
};

NowPlayingPanel buildNowPlayingPanel(QWidget* window);
