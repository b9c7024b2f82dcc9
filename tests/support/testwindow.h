#pragma once

#include "app/mainwindow.h"
#include "support/fakedrives.h"
#include "support/fakefileoperations.h"
#include "support/fakelauncher.h"
#include "support/fakeplayer.h"

#include <QTemporaryDir>
#include <memory>

// The real main window over fakes, reading its folders.ini from a folder of its own.
struct TestWindow {
    FakePlayer player;
    FakeDrives drives;
    FakeLauncher launcher;
    FakeFileOperations files;
    QTemporaryDir programFolder;
    std::unique_ptr<MainWindow> window;

    void create() { window = std::make_unique<MainWindow>(services(), programFolder.path()); }
    Services services() { return Services{player, drives, launcher, files}; }
};
