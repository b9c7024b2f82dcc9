// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/launcher.h"

class ProcessLauncher : public Launcher {
public:
    bool start(const QString& commandLine) override;
};
