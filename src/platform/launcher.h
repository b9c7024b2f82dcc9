// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Starts another program without waiting for it.
class Launcher {
public:
    virtual ~Launcher() = default;

    // The line is split into program and arguments as a shell would quote it, but nothing in
    // it is interpreted (no variables, no redirections). False when nothing could be started.
    virtual bool start(const QString& commandLine) = 0;
};
