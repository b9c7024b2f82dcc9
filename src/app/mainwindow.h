#pragma once

#include "app/windowstate.h"
#include "import/importscreen.h"
#include "keys/controlpanel.h"
#include "keys/jumppanel.h"
#include "menu/filelist.h"
#include "pictures/imageinfopanel.h"
#include "pictures/preview.h"
#include "playback/nowplayingpanel.h"
#include "playback/nowplaying.h"
#include "playback/playerview.h"

#include <QPixmap>
#include <functional>
#include <QWidget>

class Drives;
class KeyReleases;
class FileOperations;
class Launcher;
class MediaPlayer;
class MenuList;
class Outline;
class Picture;
class QLabel;
class QTimer;

// The services of the machine the window works through.
struct Services {
    MediaPlayer& player;
    const Drives& drives;
    Launcher& launcher;
    FileOperations& files;
    // Makes the widget the player draws video into, ready to draw; none without a display.
    std::function<QWidget*(QWidget* parent)> videoSurface = {};
};

// The one window of the program (frmMain): every screen is a set of its panels shown or hidden.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // folders.ini is read from programFolder.
    MainWindow(Services services, QString programFolder, QWidget* parent = nullptr);

    // Fills the screen; the geometry is set first, as a bare X server needs it.
    void showOnScreen();

    void ShowMenu();

    // Which screen is up is told by which panels are shown, and by nothing else.
    bool importScreenShown() const;
    bool jumpPanelShown() const;
    bool controlPanelShown() const;
    bool playerViewShown() const;

    Services& services() { return m_services; }
    const QString& programFolder() const { return m_programFolder; }

    WindowState state;
    // The folder being browsed: its subfolders and its files that match the pattern.
    DirList Dir1;
    FileList File1;
    PlaybackState playback;
    PreviewState preview;

    // Elements, by their designed names; earlier ones lie over later ones.
    ImportScreen importScreen;
    JumpPanel jumpPanel;
    ControlPanel controlPanel;
    PlayerView playerView;
    NowPlayingPanel nowPlaying;
    MenuList* LsvMenu = nullptr;
    ImageInfoPanel imageInfo;
    Picture* Image2 = nullptr;
    Outline* Shape1 = nullptr;
    QLabel* LblTitle = nullptr;
    Picture* Image1 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer3 = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildElements();
    void connectPlayer();
    void prepareVideoSurface();
    void Form_Load();
    void applyStartupLayout();
    void applyRelayout();
    void bringToFront();
    void showPointer();
    // A key pressed or let go on one of the lists; true when it is used up.
    bool listKey(QObject* watched, QKeyEvent* key);
    bool previewKey(QObject* watched, QKeyEvent* event);
    void playerPanelResized(QSize size);
    void LsvMenu_LostFocus();
    void Timer3_Timer();
    void PicControls_Paint();
    void PicSaltar_Paint();

    Services m_services;
    QString m_programFolder;
    QPixmap m_background;
    bool m_videoSurfaceMade = false;
    QSize m_playerPanelSize; // the size the panel's resize was last handled at
    KeyReleases* m_releases = nullptr; // the releases of the list's keys that count
};
