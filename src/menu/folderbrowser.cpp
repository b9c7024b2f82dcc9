#include "menu/folderbrowser.h"

#include "app/elements.h"
#include "app/mainwindow.h"
#include "app/twips.h"
#include "menu/menulist.h"
#include "pictures/preview.h"
#include "platform/filesystem.h"
#include "platform/filenames.h"

namespace {

const QColor kFixedRowColour(200, 200, 255);

MenuRow fixedRow(const QString& text, const QString& key)
{
    return MenuRow{text, key, 0, kFixedRowColour, {}};
}

} // namespace

bool Explore(MainWindow& window, const QString& Path)
{
    // The root of a volume is a mount point, whose own name is no title for the disc in it.
    window.LblTitle->setText(isVolumeRoot(Path) ? QString() : readableName(GetBaseName(Path)));

    const auto contents = GetFolder(Path);
    if (!contents)
        return false;
    window.Dir1.assign(Path, contents->subFolderNames);
    window.File1.assign(Path, contents->fileNames);

    std::vector<MenuRow> rows{
        fixedRow(QStringLiteral("ATRÁS"), QStringLiteral("Back")),
        fixedRow(QStringLiteral("REPRODUCIR TODO"), QStringLiteral("VerTodo")),
        fixedRow(QStringLiteral("MENU PRINCIPAL"), QStringLiteral("MenuPrincipal")),
    };
    rows.reserve(std::size_t(3 + window.Dir1.entries.size() + window.File1.entries.size()));
    for (const QString& folder : std::as_const(window.Dir1.entries))
        rows.push_back(MenuRow{readableName(GetBaseName(folder)), folder, 1, {}, {}});
    for (const QString& name : std::as_const(window.File1.entries))
        rows.push_back(MenuRow{readableName(name), BuildPath(window.File1.path, name), 2, {}, {}});

    MenuList& list = *window.LsvMenu;
    list.setRows(std::move(rows));
    list.setColumnWidthsTwips(twipRect(&list).width() - 20, 0);
    if (list.rows().rowCount() > 3)
        list.selectRow(3);

    clearPreview(window);
    window.imageInfo.PicImageInfo->hide();
    const QString folderJpg = BuildPath(Path, QStringLiteral("folder.jpg"));
    const QString albumArt = BuildPath(Path, QStringLiteral("albumartsmall.jpg"));
    if (FileExists(folderJpg))
        PreviewPicture(window, folderJpg);
    if (FileExists(albumArt) && !FileExists(folderJpg))
        PreviewPicture(window, albumArt);
    return true;
}
