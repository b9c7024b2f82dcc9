// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/mainwindow.h"
#include "platform/fileworker.h"
#include "support/fakedrives.h"
#include "support/fakefileoperations.h"
#include "support/fakelauncher.h"
#include "support/fakeplayer.h"

#include <QTemporaryDir>
#include <memory>

// While it lives, files are read in place, as the test's own folders answer at once.
struct FileCallsInPlace {
    FileCallsInPlace() { FileWorker::callInPlace(true); }
    ~FileCallsInPlace() { FileWorker::callInPlace(false); }
    FileCallsInPlace(const FileCallsInPlace&) = delete;
    FileCallsInPlace& operator=(const FileCallsInPlace&) = delete;
};

// The real main window over fakes, reading its folders.ini from a folder of its own, its
// files read in place.
struct TestWindow {
    FileCallsInPlace inPlace;
    FakePlayer player;
    FakeDrives drives;
    FakeLauncher launcher;
    FakeFileOperations files;
    QTemporaryDir programFolder;
    std::unique_ptr<MainWindow> window;

    void create() { window = std::make_unique<MainWindow>(services(), programFolder.path()); }
    Services services() { return Services{player, drives, launcher, files}; }
};
