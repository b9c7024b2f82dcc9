// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/formload.h"

#include "app/config.h"
#include "app/userfolders.h"
#include "form/frmmain.h"
#include "form/layout.h"
#include "form/menulist.h"
#include "media/mediakinds.h"
#include "menu/mainmenu.h"
#include "platform/filesystem.h"

void Form_Load(FrmMain& window)
{
    window.File1.pattern = kAllMediaPattern;
    applyStartupLayout(window);
    const FoldersConfig config = withUserFolders(
        readFoldersIni(BuildPath(window.programFolder(), QStringLiteral("folders.ini"))));
    WindowRecord& record = window.record;
    record.VideoFolder = config.VideoFolder;
    record.MusicFolder = config.MusicFolder;
    record.PicturesFolder = config.PicturesFolder;
    record.TvCommand = config.TvCommand;
    ShowMenu(window);
    window.LsvMenu->setFocus();
}
