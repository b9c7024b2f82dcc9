// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

struct OpticalDrive {
    OpticalDrive(QChar driveLetter = {}, bool isReady = false, QString label = {},
                 QString mountPoint = {}, bool canMount = false, QString whyUnreadable = {})
        : letter(driveLetter), ready(isReady), volumeName(std::move(label)),
          root(std::move(mountPoint)), mountable(canMount), problem(std::move(whyUnreadable))
    {
    }

    QChar letter;       // D for the first drive, E for the next, ...
    bool ready;         // a disc is in it and its file system is mounted
    QString volumeName; // the disc's label; only known when ready or mountable
    QString root;       // mount point; only known when ready
    bool mountable;     // a disc with a file system is in it, not mounted: readyDrive mounts it
    QString problem;    // why the disc in it cannot be read, in Spanish; empty otherwise
};

// The machine's optical drives, in device order.
class Drives {
public:
    virtual ~Drives() = default;

    // Empty when the drives cannot be enumerated (as opposed to a machine with none).
    virtual std::optional<std::vector<OpticalDrive>> opticalDrives() const = 0;

    std::optional<OpticalDrive> GetDrive(QChar letter) const;

    // The drive of LETTER, its disc mounted first where it is in but not mounted yet (a
    // machine without an automounter); not ready, with the problem told, where that fails.
    virtual std::optional<OpticalDrive> readyDrive(QChar letter) const { return GetDrive(letter); }
};
