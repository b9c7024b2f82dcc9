#include "app/formload.h"

#include "app/config.h"
#include "app/userfolders.h"
#include "form/frmmain.h"
#include "form/layout.h"
#include "form/mediakinds.h"
#include "form/menulist.h"
#include "menu/mainmenu.h"
#include "platform/filesystem.h"

void Form_Load(FrmMain& window)
{
    window.File1.pattern = kAllMediaPattern;
    applyStartupLayout(window);
    const FoldersConfig config = withUserFolders(
        readFoldersIni(BuildPath(window.programFolder(), QStringLiteral("folders.ini"))));
    WindowState& state = window.state;
    state.VideoFolder = config.VideoFolder;
    state.MusicFolder = config.MusicFolder;
    state.PicturesFolder = config.PicturesFolder;
    state.TvCommand = config.TvCommand;
    ShowMenu(window);
    window.LsvMenu->setFocus();
}
