// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/filesystem.h"
#include "platform/fileworker.h"

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>

// A library folder as read: its contents (none when it cannot be read), whether it is the
// root of its volume, and whether there is a folder of that name at all.
struct FolderListing {
    QString path;
    std::optional<FolderContents> contents = {};
    bool volumeRoot = false;
    bool folderExists = true;
};

// How long a folder may take: within atOnce it is listed as if read in place; after slowAfter
// the user is told it is being read; after giveUpAfter it is given up.
struct FolderReadTiming {
    std::chrono::milliseconds atOnce = kAnswerAtOnce;
    std::chrono::milliseconds slowAfter{300};
    std::chrono::milliseconds giveUpAfter{15000};
};

// Reads library folders off the screen's thread, one at a time. A folder that answers at once
// is handed over at once; a slow one is announced, and can be given up; one that does not
// answer in time is given up for the user.
class FolderReader : public QObject {
    Q_OBJECT
public:
    using Read = std::function<FolderListing(const QString& path)>;
    explicit FolderReader(QObject* parent = nullptr, Read read = readLibraryFolder,
                          FolderReadTiming timing = {});

    // Reads the folder, giving up any read in hand; `listed` gets what was read.
    void read(const QString& path, std::function<void(const FolderListing&)> listed);
    // Gives up the read in hand: its answer, when it comes, is dropped.
    void cancel();
    bool reading() const { return m_listed != nullptr; }

    static FolderListing readLibraryFolder(const QString& path);

signals:
    // The folder has not answered within a moment.
    void slow(const QString& path);
    // The folder has not answered in the time allowed, and was given up.
    void unanswered(const QString& path);
    // The read in hand ended, whichever way.
    void ended();

private:
    void answer(quint64 request, const FolderListing& listing);
    void end();

    FileWorker m_worker;
    Read m_read;
    FolderReadTiming m_timing;
    QTimer m_slowTimer;
    QTimer m_giveUpTimer;
    quint64 m_request = 0;
    QString m_path;
    std::function<void(const FolderListing&)> m_listed;
};
