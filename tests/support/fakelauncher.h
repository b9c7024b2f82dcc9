// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/launcher.h"

#include <QStringList>

class FakeLauncher : public Launcher {
public:
    QStringList started;

    bool start(const QString& commandLine) override
    {
        started << commandLine;
        return !commandLine.trimmed().isEmpty();
    }
};
