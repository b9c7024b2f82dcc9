// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fileoperations.h"

// The freedesktop.org trash that file managers show and restore from.
class DesktopFileOperations : public FileOperations {
public:
    Outcome moveToTrash(const QString& from) override;
};
