// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

// The window's background: black at the top, growing green towards the foot.
QPixmap renderBackground(QSize pixels);
