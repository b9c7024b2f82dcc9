// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringList>

// list.m3u: one full path a line, each line ended by CR LF. A path holding a line break
// cannot be written as one line and is left out.
QByteArray m3uPlaylist(const QStringList& paths);
