// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drives.h"

#include <QDBusConnection>

// Optical drives as UDisks2 knows them on the system bus: each disc's label whether it is
// mounted or not, and a disc mounted for the user on request, as a desktop's automounter
// would (a living-room session often has none). Where UDisks2 does not answer, FALLBACK does.
class UDisksDrives : public Drives {
public:
    explicit UDisksDrives(const Drives& fallback,
                          QDBusConnection bus = QDBusConnection::systemBus());

    std::optional<std::vector<OpticalDrive>> opticalDrives() const override;
    std::optional<OpticalDrive> readyDrive(QChar letter) const override;

private:
    struct Disc {
        OpticalDrive drive;
        QString block; // object path of its block device
    };
    std::optional<std::vector<Disc>> discs() const;
    void mount(const QString& block, OpticalDrive& drive) const;

    const Drives& m_fallback;
    QDBusConnection m_bus;
};
