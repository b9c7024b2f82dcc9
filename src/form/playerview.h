// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Panel;
class QWidget;

// The full-screen panel a video is watched in (PicMediaPlayer) and the player's picture
// inside it (MediaPlayer).
struct PlayerView {
    Panel* PicMediaPlayer = nullptr;
    QWidget* MediaPlayer = nullptr;
};

PlayerView buildPlayerView(QWidget* window);

// Puts the video surface in the player's picture (a plain widget stays where there is none).
void fitVideoSurface(PlayerView& view, QWidget* surface);
