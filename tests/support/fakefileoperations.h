// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fileoperations.h"

// The trash of a test that never says "Sí" to its question: nothing reaches it.
class FakeFileOperations : public FileOperations {
public:
    Outcome moveToTrash(const QString&) override { return {}; }
};
