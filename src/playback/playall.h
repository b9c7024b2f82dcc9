#pragma once

#include <QByteArray>
#include <QStringList>

struct FrmMain;

// list.m3u: one full path a line, each line ended by CR LF. A path holding a line break
// cannot be written as one line and is left out.
QByteArray m3uPlaylist(const QStringList& paths);

// Plays every file of the listing on screen, in order, and writes them to list.m3u in the
// program's folder. When the file cannot be written the user is told and nothing changes.
void EnqueueAll(FrmMain& window);
