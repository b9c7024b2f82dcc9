#include "import/importflow.h"

#include "app/elements.h"
#include "app/mainwindow.h"
#include "app/messagebox.h"
#include "import/fileops.h"
#include "import/mediasearch.h"
#include "keys/keycodes.h"
#include "menu/mediakinds.h"
#include "menu/menulist.h"
#include "platform/drives.h"
#include "platform/mediaplayer.h"
#include "platform/filenames.h"

#include <QCoreApplication>
#include <QListWidget>

namespace {

struct ImportChoice {
    QString extensions;
    QString destination;
};

ImportChoice importChoice(const MainWindow& window, int index)
{
    switch (index) {
    case 1:
        return {kImportMusicExtensions, window.state.MusicFolder};
    case 2:
        return {kImportPictureExtensions, window.state.PicturesFolder};
    default:
        return {kImportVideoExtensions, window.state.VideoFolder};
    }
}

// The root of the disc in the first optical drive; empty, after telling the user, without one.
QString sourceRoot(MainWindow& window)
{
    const auto specifier = window.services().player.opticalDriveSpecifier(0);
    if (!specifier || specifier->isEmpty()) {
        showMessage(&window, QStringLiteral("No hay ninguna unidad de disco en este equipo."));
        return {};
    }
    const auto drive = window.services().drives.GetDrive(specifier->front());
    if (!drive || !drive->ready) {
        showMessage(&window, QStringLiteral("No hay ningún disco en la unidad %1.").arg(*specifier));
        return {};
    }
    return drive->root;
}

} // namespace

void List1_KeyDown(MainWindow& window, int KeyCode)
{
    if (KeyCode != kKeyEnter)
        return;
    ImportScreen& screen = window.importScreen;
    screen.PicBuscando->show();
    QCoreApplication::processEvents(); // paints the notice before the search

    const QString root = sourceRoot(window);
    if (root.isEmpty()) {
        screen.PicBuscando->hide();
        return;
    }
    const ImportChoice choice = importChoice(window, screen.List1->currentRow());
    QStringList Colec;
    QStringList unreadable;
    if (!appendMatchingFiles(root, choice.extensions, Colec))
        unreadable << root;
    FindMedia(root, choice.extensions, Colec, unreadable);
    CopyFiles(window, Colec, false, choice.destination);
    for (QString& folder : unreadable)
        folder = readableName(folder);
    if (!unreadable.isEmpty()) {
        showMessage(&window, QStringLiteral("No se pudieron leer estas carpetas del disco:\n") +
                                 unreadable.join(u'\n'));
    }
    screen.PicBuscando->hide();
    screen.picCopiar->hide();
    window.LsvMenu->setFocus();
}
