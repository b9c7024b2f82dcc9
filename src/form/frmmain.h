// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "form/controlpanel.h"
#include "form/imageinfopanel.h"
#include "form/importscreen.h"
#include "form/jumppanel.h"
#include "form/nowplayingpanel.h"
#include "form/playerview.h"
#include "form/windowrecord.h"
#include "media/filelist.h"
#include "media/folderreader.h"
#include "media/playback.h"

#include <functional>

class Drives;
class FileOperations;
class Launcher;
class MediaPlayer;
class MenuList;
class Outline;
class Picture;
class QLabel;
class QTimer;
class QWidget;

// The services of the machine the window works through.
struct Services {
    MediaPlayer& player;
    const Drives& drives;
    Launcher& launcher;
    FileOperations& files;
    // Makes the widget the player draws video into, ready to draw; none without a display.
    std::function<QWidget*(QWidget* parent)> videoSurface = {};
};

// What the main window is to the handlers (frmMain): its elements, its fields and the
// machine's services. Every screen is a set of its panels shown or hidden. The window that
// turns Qt's events into the handlers' calls (app/mainwindow) makes the elements.
struct FrmMain {
    // programFolder holds folders.ini and the play list written for the player.
    FrmMain(QWidget& window, Services services, QString programFolder);

    // Which screen is up is told by which panels are shown, and by nothing else; a panel
    // counts as shown when it is set to be, also while the window itself is not on screen.
    bool importScreenShown() const;
    bool jumpPanelShown() const;
    bool controlPanelShown() const;
    bool playerViewShown() const;

    Services& services() { return m_services; }
    const QString& programFolder() const { return m_programFolder; }

    // The window the elements lie on, and the owner of the program's other windows.
    QWidget* const widget;

    WindowRecord record;
    // The folder being browsed: its subfolders and its files that match the pattern.
    DirList Dir1;
    FileList File1;
    Playback playback;
    // The library's folders are read, and its files moved to the trash, off the screen's
    // thread.
    FolderReader folders;
    FileWorker fileCalls;
    ErrorMessagesRecord errorMessages;
    PreviewRecord preview;

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
    QLabel* LblReading = nullptr; // over the list while a slow folder is read
    Picture* Image1 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer3 = nullptr;

private:
    Services m_services;
    QString m_programFolder;
};
