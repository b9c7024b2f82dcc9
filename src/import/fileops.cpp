#include "import/fileops.h"

#include "app/confirmation.h"
#include "app/mainwindow.h"
#include "app/messagebox.h"
#include "import/copyengine.h"
#include "import/copyprogress.h"
#include "menu/folderbrowser.h"
#include "platform/filesystem.h"
#include "platform/fileoperations.h"
#include "platform/filenames.h"

void DeleteFiles(MainWindow& window, const QStringList& Colec)
{
    const QString from = shellSourceList(Colec);
    const QString what = Colec.size() == 1
                             ? QStringLiteral("«%1»").arg(readableName(GetFileName(Colec.front())))
                             : QStringLiteral("%1 elementos").arg(Colec.size());
    if (!confirm(&window, QStringLiteral("¿Enviar %1 a la papelera?").arg(what)))
        return;
    const FileOperations::Outcome outcome = window.services().files.moveToTrash(from);
    if (!outcome.done.isEmpty() && window.File1.setPath(window.File1.path))
        Explore(window, window.File1.path);
    if (!outcome.failed.isEmpty())
        showMessage(&window, outcome.failed.join(u'\n'));
}

void CopyFiles(MainWindow& window, const QStringList& Colec, bool MoveFiles,
               const QString& Destination)
{
    CopyEngine engine(pathsOfSourceList(shellSourceList(Colec)), Destination, MoveFiles);
    CopyProgressPanel(&window, engine).runModal();
    if (!engine.failures().isEmpty()) {
        showMessage(&window, QStringLiteral("No se pudo copiar todo:\n") +
                                 engine.failures().join(u'\n'));
    }
}
