// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/importflow.h"

#include "form/elements.h"
#include "form/frmmain.h"
#include "form/keycodes.h"
#include "form/menulist.h"
#include "form/messagebox.h"
#include "import/fileops.h"
#include "import/mediasearch.h"
#include "media/mediakinds.h"
#include "platform/drives.h"
#include "platform/filenames.h"
#include "platform/mediaplayer.h"
#include "playback/playervisibility.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QListWidget>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <optional>

namespace {

struct ImportChoice {
    QString extensions;
    QString destination;
};

ImportChoice importChoice(const FrmMain& window, int index)
{
    switch (index) {
    case 1:
        return {kImportMusicExtensions, window.record.MusicFolder};
    case 2:
        return {kImportPictureExtensions, window.record.PicturesFolder};
    default:
        return {kImportVideoExtensions, window.record.VideoFolder};
    }
}

// The root of the disc in the first optical drive; empty, after telling the user, without one.
QString sourceRoot(FrmMain& window)
{
    const auto specifier = window.services().player.opticalDriveSpecifier(0);
    if (!specifier || specifier->isEmpty()) {
        showMessage(window.widget,
                    QStringLiteral("No hay ninguna unidad de disco en este equipo."));
        return {};
    }
    const auto drive = window.services().drives.readyDrive(specifier->front());
    if (drive && !drive->problem.isEmpty()) {
        showMessage(window.widget, QStringLiteral("No se puede leer el disco de la unidad %1 (%2).")
                                       .arg(*specifier, drive->problem));
        return {};
    }
    if (!drive || !drive->ready) {
        showMessage(window.widget,
                    QStringLiteral("No hay ningún disco en la unidad %1.").arg(*specifier));
        return {};
    }
    return drive->root;
}

// Sets a flag when the widget is hidden (also in a window not on screen yet).
class HideWatch : public QObject {
public:
    HideWatch(QWidget* widget, std::atomic<bool>& hidden) : m_hidden(hidden)
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::HideToParent)
            m_hidden = true;
        return false;
    }

private:
    std::atomic<bool>& m_hidden;
};

// The disc's matching files, searched on a worker thread while the window goes on answering
// keys; nothing when Escape closes the screen before the search ends.
std::optional<QStringList> searchDisc(FrmMain& window, const QString& root,
                                      const QString& extensions, QStringList& unreadable)
{
    std::atomic<bool> closed{false};
    const HideWatch watch(window.importScreen.picCopiar, closed);
    QStringList found;
    QEventLoop loop;
    QFutureWatcher<void> search;
    QObject::connect(&search, &QFutureWatcher<void>::finished, &loop, &QEventLoop::quit);
    search.setFuture(QtConcurrent::run([&] {
        // A root that cannot be read has no subfolders to search, and is named once.
        if (appendMatchingFiles(root, extensions, found))
            FindMedia(root, extensions, found, unreadable, closed);
        else
            unreadable << root;
    }));
    loop.exec();
    if (!search.isFinished()) {
        // The program is quitting: the search stops before what it writes into goes away.
        closed = true;
        search.waitForFinished();
    }
    if (closed)
        return std::nullopt;
    return found;
}

} // namespace

void List1_KeyDown(FrmMain& window, int KeyCode)
{
    ImportScreen& screen = window.importScreen;
    // The notice is up from the search to the end of the copy: an Enter meanwhile (queued
    // while the notice was painted) would start a second import inside this one.
    if (KeyCode != kKeyEnter || !screen.PicBuscando->isHidden())
        return;
    screen.PicBuscando->show();
    QCoreApplication::processEvents(); // paints the notice before the search

    const QString root = screen.picCopiar->isHidden() ? QString() : sourceRoot(window);
    if (root.isEmpty()) {
        screen.PicBuscando->hide();
        return;
    }
    const ImportChoice choice = importChoice(window, screen.List1->currentRow());
    QStringList unreadable;
    const auto Colec = searchDisc(window, root, choice.extensions, unreadable);
    if (!Colec) { // Escape closed the screen during the search: the import ends there
        screen.PicBuscando->hide();
        return;
    }
    CopyFiles(window, *Colec, false, choice.destination);
    for (QString& folder : unreadable)
        folder = readableName(folder);
    if (!unreadable.isEmpty()) {
        showMessage(window.widget,
                    QStringLiteral("No se pudieron leer estas carpetas del disco:\n") +
                        unreadable.join(u'\n'));
    }
    screen.PicBuscando->hide();
    screen.picCopiar->hide();
    showPictureUnlessCovered(window);
    window.LsvMenu->setFocus();
}
