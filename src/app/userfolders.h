// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

struct FoldersConfig;

// The value of the line `NAME="..."` of a user-dirs.dirs file (the last one, as the shell
// that sources it keeps), with a leading $HOME put in full; nothing when the file has no
// such line or its value is neither $HOME-based nor absolute.
std::optional<QString> userDirsValue(QByteArrayView contents, QByteArrayView name,
                                     const QString& home);

// The user's folder of a kind ("VIDEOS", "MUSIC", "PICTURES"), found as xdg-user-dir finds
// it: the XDG_<KIND>_DIR line of $XDG_CONFIG_HOME/user-dirs.dirs (~/.config when unset),
// else that environment variable, else the home folder.
QString userFolder(QByteArrayView kind);

// The configuration with each empty library line put to the user's folder of that kind.
FoldersConfig withUserFolders(FoldersConfig config);
