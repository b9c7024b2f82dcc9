// SPDX-License-Identifier: GPL-3.0-or-later
#include "menu/itemactivation.h"

#include "form/confirmation.h"
#include "form/elements.h"
#include "form/frmmain.h"
#include "form/menulist.h"
#include "form/twips.h"
#include "media/mediakinds.h"
#include "menu/folderbrowser.h"
#include "menu/mainmenu.h"
#include "pictures/pictureviewer.h"
#include "platform/drives.h"
#include "platform/filenames.h"
#include "platform/filesystem.h"
#include "platform/launcher.h"
#include "playback/playall.h"

#include <QListWidget>

namespace {

void openLibrary(FrmMain& window, bool pictureMode, const QString& pattern, const QString& folder)
{
    window.record.PictureMode = pictureMode;
    window.File1.pattern = pattern;
    Explore(window, folder);
}

void openImportScreen(FrmMain& window)
{
    window.record.PictureMode = false;
    QWidget* screen = window.importScreen.picCopiar;
    const QSizeF screenSize = screenTwips(window.widget);
    QRectF place = twipRect(screen);
    place.moveTo((screenSize.width() - place.width()) / 2,
                 (screenSize.height() - place.height()) / 2);
    setTwipRect(screen, place);
    window.playerView.PicMediaPlayer->hide();
    screen->show();
    window.importScreen.List1->setCurrentRow(0);
    window.importScreen.List1->setFocus();
}

void openDrive(FrmMain& window, const QString& key)
{
    window.File1.pattern = kAllMediaPattern;
    const auto drive = window.services().drives.readyDrive(key.back());
    if (drive && drive->ready)
        Explore(window, drive->root);
}

void runMainMenuRow(FrmMain& window, const QString& key)
{
    if (key == u"salir")
        window.widget->close();
    else if (key == u"divx")
        openLibrary(window, false, kVideoPattern, window.record.VideoFolder);
    else if (key == u"mp3")
        openLibrary(window, false, kAudioPattern, window.record.MusicFolder);
    else if (key == u"pics")
        openLibrary(window, true, kPicturePattern, window.record.PicturesFolder);
    else if (key == u"copiar")
        openImportScreen(window);
    else if (key == u"tv") {
        window.record.PictureMode = false;
        window.services().launcher.start(window.record.TvCommand);
    }
    if (key.startsWith(u"drive") && key.size() > 5)
        openDrive(window, key);
}

void goBack(FrmMain& window)
{
    // Above the root of its volume a folder leads back to the main menu.
    const QString parent = window.Dir1.parent();
    if (parent.isEmpty() || window.Dir1.volumeRoot)
        ShowMenu(window);
    else
        Explore(window, parent);
}

void showPicture(FrmMain& window, const QStringList& folderFiles, const QString& path)
{
    PictureViewer viewer(window.widget);
    viewer.File1.assign(GetParentFolderName(path), folderFiles);
    const QString name = GetFileName(path);
    // The viewer's list leaves out metafiles; one that was chosen joins it for this viewing,
    // so the viewer shows the picture chosen and not another.
    if (!viewer.File1.entries.contains(name)) {
        viewer.File1.entries << name;
        sortInFileOrder(viewer.File1.entries);
    }
    int index = 0;
    for (int i = 0; i < viewer.File1.entries.size(); ++i) {
        if (viewer.File1.entries.at(i) == name)
            index = i;
    }
    viewer.ListIndex = index;
    viewer.ScaleImage();
    viewer.showModal();
}

// The viewer steps through the picture's folder, read afresh for it.
void viewPicture(FrmMain& window, const QString& path)
{
    window.folders.read(GetParentFolderName(path), [&window, path](const FolderListing& listing) {
        showPicture(window, listing.contents ? listing.contents->fileNames : QStringList(), path);
    });
}

// A film left part-way asks where to go on from, with the tracks it had; Escape plays nothing.
void askWhereToStart(FrmMain& window, const QString& path, std::optional<StartPoint> from)
{
    if (from) {
        const int answer =
            choose(window.widget, readableName(GetBaseName(path)),
                   {QStringLiteral("Reanudar desde ") + formatMediaTime(from->seconds),
                    QStringLiteral("Desde el principio")},
                   0);
        if (answer < 0)
            return;
        if (answer == 1)
            from->seconds = 0;
    }
    window.playback.playFile(path, from);
}

void playChosenFile(FrmMain& window, const QString& path)
{
    window.playback.findResumePoint(path, [&window, path](std::optional<StartPoint> from) {
        askWhereToStart(window, path, from);
    });
}

// A folder gone since it was listed is handed to the player, which tells it cannot be opened.
void openListedFolder(FrmMain& window, const QString& path)
{
    window.folders.read(path, [&window](const FolderListing& listing) {
        if (listing.folderExists)
            showFolder(window, listing);
        else
            playChosenFile(window, listing.path);
    });
}

void runFolderRow(FrmMain& window, const QString& key)
{
    if (key == u"Back")
        goBack(window);
    else if (key == u"MenuPrincipal")
        ShowMenu(window);
    else if (key == u"VerTodo")
        EnqueueAll(window);
    else if (window.Dir1.entries.contains(key))
        openListedFolder(window, key);
    else if (kViewerExtensions.contains(GetExtensionName(key).toLower()))
        viewPicture(window, key);
    else
        playChosenFile(window, key);
}

} // namespace

void LsvMenu_Click(FrmMain& window)
{
    const int selected = window.LsvMenu->selectedRow();
    if (selected < 0 || window.folders.reading())
        return; // the list on screen is about to be replaced
    const MenuRow& row = window.LsvMenu->rows().row(selected);
    // Copied: the handlers below replace the rows.
    const QString key = row.rowKey();
    if (row.isMainMenuRow())
        runMainMenuRow(window, key);
    else
        runFolderRow(window, key);
}
