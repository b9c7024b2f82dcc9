// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/desktopfileoperations.h"
#include "platform/linuxdrives.h"
#include "platform/mpvplayer.h"
#include "platform/processlauncher.h"
#include "platform/udisksdrives.h"
#include "platform/wakeholds.h"

#include <memory>

class MainWindow;
class MprisService;

// The program put together on the real machine: its drives, player and launcher, the main
// window working through them, and what follows its playback.
class Sofavio {
public:
    explicit Sofavio(const QString& executableFolder);
    ~Sofavio();

    MainWindow& window() { return *m_window; }

private:
    QString m_programFolder;
    LinuxDrives m_kernelDrives; // where UDisks2 does not run
    UDisksDrives m_drives{m_kernelDrives};
    MpvPlayer m_player;
    ProcessLauncher m_launcher;
    DesktopFileOperations m_files;
    WakeHolds m_wakeHolds;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<MprisService> m_mpris;
};
