// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/playall.h"

#include "form/frmmain.h"
#include "form/messagebox.h"
#include "platform/filesystem.h"
#include "playback/m3u.h"

#include <QSaveFile>

void EnqueueAll(FrmMain& window)
{
    QStringList paths;
    for (const QString& entry : std::as_const(window.File1.entries))
        paths << BuildPath(window.File1.path, entry);

    // The file is written whole before the playlist is touched, so a failure changes nothing.
    const QString listPath = BuildPath(window.programFolder(), QStringLiteral("list.m3u"));
    QSaveFile list(listPath);
    if (!list.open(QIODevice::WriteOnly) || list.write(m3uPlaylist(paths)) < 0 || !list.commit()) {
        showMessage(window.widget,
                    QStringLiteral("No se pudo escribir la lista de reproducción %1: %2")
                        .arg(listPath, list.errorString()));
        return;
    }

    window.playback.playList(paths);
}
