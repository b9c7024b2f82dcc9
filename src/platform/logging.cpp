// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/logging.h"

Q_LOGGING_CATEGORY(lcPlatform, "sofavio.platform")
Q_LOGGING_CATEGORY(lcImport, "sofavio.import")
