#pragma once

class MainWindow;
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

// Gives the player the whole screen and shows the player view. Playback is not touched.
void ShowMediaPlayer(MainWindow& window);
// Hides the player view; what plays goes on playing.
void HideMediaPlayer(MainWindow& window);
// The player's picture back to the whole screen, as after the control panel shortened it.
void giveThePlayerTheScreen(MainWindow& window);
