// SPDX-License-Identifier: GPL-3.0-or-later
#include "menu/folderbrowser.h"

#include "form/confirmation.h"
#include "form/elements.h"
#include "form/frmmain.h"
#include "form/menulist.h"
#include "form/messagebox.h"
#include "form/twips.h"
#include "pictures/preview.h"
#include "platform/filenames.h"
#include "platform/fileoperations.h"
#include "platform/filesystem.h"

namespace {

const QColor kFixedRowColour(200, 200, 255);

MenuRow fixedRow(const QString& text, const QString& key)
{
    return MenuRow{text, key, 0, kFixedRowColour, {}};
}

// The folder's cover among its files: folder.jpg, else albumartsmall.jpg, in any case of
// letters, as the programs that rip music on Windows write them (Folder.jpg,
// AlbumArtSmall.jpg); where two differ only in case, the lower-case one. Empty without one.
QString coverName(const QStringList& fileNames)
{
    for (const QString& cover :
         {QStringLiteral("folder.jpg"), QStringLiteral("albumartsmall.jpg")}) {
        if (fileNames.contains(cover))
            return cover;
        for (const QString& name : fileNames) {
            if (name.compare(cover, Qt::CaseInsensitive) == 0)
                return name;
        }
    }
    return {};
}

// The listing on screen: the fixed rows, the subfolders, the files, and the cover beside them.
void showListing(FrmMain& window, const FolderListing& listing, const FolderContents& contents)
{
    window.Dir1.assign(listing.path, contents.subFolderNames);
    window.Dir1.volumeRoot = listing.volumeRoot;
    window.File1.assign(listing.path, contents.fileNames);

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
    const QString cover = coverName(contents.fileNames);
    if (!cover.isEmpty())
        PreviewPicture(window, BuildPath(listing.path, cover));
}

// Whether the list on screen has a row of any of the paths, and no other folder is coming.
bool shows(const FrmMain& window, const QStringList& paths)
{
    if (window.folders.reading())
        return false;
    const MenuModel& rows = window.LsvMenu->rows();
    for (int row = 0; row < rows.rowCount(); ++row) {
        if (paths.contains(rows.row(row).rowKey()))
            return true;
    }
    return false;
}

QString quotedName(const QString& path)
{
    return QStringLiteral("«%1»").arg(readableName(GetBaseName(path)));
}

} // namespace

void Explore(FrmMain& window, const QString& Path)
{
    window.folders.read(Path,
                        [&window](const FolderListing& listing) { showFolder(window, listing); });
}

void showFolder(FrmMain& window, const FolderListing& listing)
{
    // The root of a volume is a mount point, whose own name is no title for the disc in it.
    window.LblTitle->setText(listing.volumeRoot ? QString()
                                                : readableName(GetBaseName(listing.path)));
    // A folder that cannot be read leaves the list as it was.
    if (listing.contents)
        showListing(window, listing, *listing.contents);
}

void connectFolderReader(FrmMain& window)
{
    QLabel* notice = window.LblReading;
    QObject::connect(&window.folders, &FolderReader::slow, notice, [&window](const QString& path) {
        setTwipRect(window.LblReading, twipRect(window.LsvMenu));
        window.LblReading->setText(QStringLiteral("Leyendo %1...").arg(quotedName(path)));
        window.LblReading->show();
    });
    QObject::connect(&window.folders, &FolderReader::ended, notice, &QWidget::hide);
    QObject::connect(
        &window.folders, &FolderReader::unanswered, notice, [&window](const QString& path) {
            showMessage(window.widget,
                        QStringLiteral("La carpeta %1 no responde").arg(quotedName(path)));
        });
}

void DeleteFiles(FrmMain& window, const QStringList& Colec)
{
    const QString from = shellSourceList(Colec);
    const QString what = Colec.size() == 1
                             ? QStringLiteral("«%1»").arg(readableName(GetFileName(Colec.front())))
                             : QStringLiteral("%1 elementos").arg(Colec.size());
    if (!confirm(window.widget, QStringLiteral("¿Enviar %1 a la papelera?").arg(what)))
        return;
    FileOperations& files = window.services().files;
    const QString folder = window.File1.path;
    window.fileCalls.run<FileOperations::Outcome>(
        [&files, from] { return files.moveToTrash(from); },
        [&window, folder](const FileOperations::Outcome& outcome) {
            // Listed again only while what was moved is still on screen: moving may take a
            // while on a share, and the user may have gone elsewhere meanwhile.
            if (shows(window, outcome.done))
                Explore(window, folder);
            if (!outcome.failed.isEmpty())
                showMessage(window.widget, outcome.failed.join(u'\n'));
        },
        kAnswerAtOnce);
}
