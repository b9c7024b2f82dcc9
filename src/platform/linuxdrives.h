// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drives.h"

// Optical drives as the kernel and udev describe them: the drive names from
// proc/sys/dev/cdrom/info, mount points from proc/self/mounts, labels from the udev
// database or, failing that, the disc's own ISO 9660 volume descriptor. Every path is read
// under systemRoot, so tests can hand it a made-up tree.
class LinuxDrives : public Drives {
public:
    explicit LinuxDrives(QString systemRoot = QStringLiteral("/"));

    std::optional<std::vector<OpticalDrive>> opticalDrives() const override;

private:
    QString path(const QString& absolute) const;
    QString mountPointOf(const QString& device) const;
    QString labelOf(const QString& deviceName) const;

    QString m_root;
};
