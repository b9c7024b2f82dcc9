// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/folderreader.h"

FolderReader::FolderReader(QObject* parent, Read read, FolderReadTiming timing)
    : QObject(parent), m_read(std::move(read)), m_timing(timing)
{
    m_slowTimer.setSingleShot(true);
    m_giveUpTimer.setSingleShot(true);
    connect(&m_slowTimer, &QTimer::timeout, this, [this] { emit slow(m_path); });
    connect(&m_giveUpTimer, &QTimer::timeout, this, [this] {
        const QString path = m_path;
        end();
        emit unanswered(path);
    });
}

FolderListing FolderReader::readLibraryFolder(const QString& path)
{
    FolderListing listing{path, GetFolder(path), isVolumeRoot(path)};
    listing.folderExists = listing.contents || FolderExists(path);
    return listing;
}

void FolderReader::read(const QString& path, std::function<void(const FolderListing&)> listed)
{
    cancel();
    const quint64 request = ++m_request;
    m_path = path;
    m_listed = std::move(listed);
    m_slowTimer.start(m_timing.slowAfter);
    m_giveUpTimer.start(m_timing.giveUpAfter);
    m_worker.run<FolderListing>(
        [read = m_read, path] { return read(path); },
        [this, request](const FolderListing& listing) { answer(request, listing); },
        m_timing.atOnce);
}

void FolderReader::cancel()
{
    if (reading())
        end();
}

void FolderReader::answer(quint64 request, const FolderListing& listing)
{
    if (request != m_request)
        return; // given up since
    const auto listed = std::move(m_listed);
    end();
    listed(listing);
}

void FolderReader::end()
{
    ++m_request;
    m_listed = nullptr;
    m_slowTimer.stop();
    m_giveUpTimer.stop();
    emit ended();
}
