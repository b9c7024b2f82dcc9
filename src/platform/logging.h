// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// One category a folder, "sofavio.<folder>", so a person can turn on the messages of one part
// of the program: QT_LOGGING_RULES="sofavio.platform.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
Q_DECLARE_LOGGING_CATEGORY(lcImport)
