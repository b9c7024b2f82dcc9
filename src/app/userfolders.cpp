// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/userfolders.h"

#include "app/config.h"
#include "platform/filenames.h"

#include <QDir>
#include <QFile>

namespace {

// The quoted value after `=`, its backslash escapes undone; nothing when it is not quoted.
std::optional<QByteArray> unquoted(QByteArrayView value)
{
    if (!value.startsWith('"'))
        return std::nullopt;
    QByteArray text;
    for (qsizetype i = 1; i < value.size(); ++i) {
        if (value[i] == '"')
            return text;
        if (value[i] == '\\' && i + 1 < value.size())
            ++i;
        text += value[i];
    }
    return std::nullopt;
}

QByteArray configHome()
{
    const QByteArray set = qgetenv("XDG_CONFIG_HOME");
    return set.startsWith('/') ? set : fileNameBytes(QDir::homePath()) + "/.config";
}

} // namespace

std::optional<QString> userDirsValue(QByteArrayView contents, QByteArrayView name,
                                     const QString& home)
{
    std::optional<QString> found;
    for (QByteArrayView line : QByteArray(contents.data(), contents.size()).split('\n')) {
        line = line.trimmed();
        if (!line.startsWith(name) || !line.sliced(name.size()).startsWith('='))
            continue;
        const auto text = unquoted(line.sliced(name.size() + 1));
        if (!text)
            continue;
        if (*text == "$HOME" || text->startsWith("$HOME/"))
            found = home + fileNameFromBytes(text->sliced(5));
        else if (text->startsWith('/'))
            found = fileNameFromBytes(*text);
    }
    return found;
}

QString userFolder(QByteArrayView kind)
{
    const QByteArray name = "XDG_" + kind.toByteArray() + "_DIR";
    const QString home = QDir::homePath();
    QFile file(fileNameFromBytes(configHome() + "/user-dirs.dirs"));
    if (file.open(QIODevice::ReadOnly)) {
        if (const auto value = userDirsValue(file.read(1 << 16), name, home))
            return *value;
    }
    const QByteArray set = qgetenv(name.constData());
    return set.isEmpty() ? home : fileNameFromBytes(set);
}

FoldersConfig withUserFolders(FoldersConfig config)
{
    for (auto [field, kind] :
         {std::pair{&config.VideoFolder, "VIDEOS"}, std::pair{&config.MusicFolder, "MUSIC"},
          std::pair{&config.PicturesFolder, "PICTURES"}}) {
        if (field->isEmpty())
            *field = userFolder(kind);
    }
    return config;
}
