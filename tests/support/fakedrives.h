// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drives.h"

// Drives as a test sets them; `failing` makes the enumeration itself fail.
class FakeDrives : public Drives {
public:
    std::vector<OpticalDrive> drives;
    bool failing = false;

    std::optional<std::vector<OpticalDrive>> opticalDrives() const override
    {
        if (failing)
            return std::nullopt;
        return drives;
    }
};
