// SPDX-License-Identifier: GPL-3.0-or-later
#include "menu/mainmenu.h"

#include "form/elements.h"
#include "form/frmmain.h"
#include "form/menulist.h"
#include "form/twips.h"
#include "pictures/preview.h"
#include "platform/drives.h"

namespace {

MenuRow mainMenuRow(const QString& key, const QString& caption)
{
    MenuRow row;
    row.subItems.push_back(MenuSubItem{caption, key});
    return row;
}

} // namespace

std::vector<MenuRow> mainMenuRows(const Drives& drives)
{
    std::vector<MenuRow> rows{
        mainMenuRow(QStringLiteral("tv"), QStringLiteral("Mi TV")),
        mainMenuRow(QStringLiteral("divx"), QStringLiteral("Mi Cine")),
        mainMenuRow(QStringLiteral("mp3"), QStringLiteral("Mi Música")),
        mainMenuRow(QStringLiteral("pics"), QStringLiteral("Mis Imágenes")),
    };
    if (const auto optical = drives.opticalDrives()) {
        for (const OpticalDrive& drive : *optical) {
            // A disc that is in but not mounted yet is mounted when its row is chosen.
            const QString label = drive.ready || drive.mountable
                                      ? u'[' + drive.volumeName + u']'
                                      : QStringLiteral("[No Disponible]");
            rows.push_back(mainMenuRow(QStringLiteral("drive") + drive.letter,
                                       drive.letter + QStringLiteral(": ") + label));
        }
    }
    rows.push_back(mainMenuRow(QStringLiteral("copiar"), QStringLiteral("Copiar Media ...")));
    rows.push_back(mainMenuRow(QStringLiteral("salir"), QStringLiteral("SALIR")));
    return rows;
}

void ShowMenu(MenuList& list, Picture& preview, QLabel& title, const Drives& drives)
{
    preview.clear();
    title.setText(QString::fromUtf16(kMainMenuTitle));
    list.setRows(mainMenuRows(drives));
    list.setColumnWidthsTwips(0, twipRect(&list).width() - 20);
}

void ShowMenu(FrmMain& window)
{
    clearPreview(window);
    ShowMenu(*window.LsvMenu, *window.Image2, *window.LblTitle, window.services().drives);
}
