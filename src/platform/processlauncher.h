#pragma once

#include "platform/launcher.h"

class ProcessLauncher : public Launcher {
public:
    bool start(const QString& commandLine) override;
};
