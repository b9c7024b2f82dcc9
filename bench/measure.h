// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <vector>

// The middle of the runs, which one slow run does not move.
inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// This process's resident memory, in KiB; -1 when it cannot be read.
inline long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    }
    return -1;
}

// How long `ls -1` takes to list the folder, in milliseconds: the floor a listing is held to.
inline double lsMs(const QString& folder)
{
    QElapsedTimer clock;
    clock.start();
    QProcess ls;
    ls.setStandardOutputFile(QProcess::nullDevice());
    ls.start(QStringLiteral("ls"), {QStringLiteral("-1"), folder});
    ls.waitForFinished(-1);
    return double(clock.nsecsElapsed()) / 1e6;
}
