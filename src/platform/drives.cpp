// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drives.h"

std::optional<OpticalDrive> Drives::GetDrive(QChar letter) const
{
    const auto drives = opticalDrives();
    if (!drives)
        return std::nullopt;
    for (const OpticalDrive& drive : *drives) {
        if (drive.letter == letter)
            return drive;
    }
    return std::nullopt;
}
