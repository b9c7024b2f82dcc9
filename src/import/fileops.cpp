// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/fileops.h"

#include "form/frmmain.h"
#include "form/messagebox.h"
#include "import/copyengine.h"
#include "import/copyprogress.h"
#include "platform/fileoperations.h"
#include "platform/filesystem.h"

void CopyFiles(FrmMain& window, const QStringList& Colec, bool MoveFiles,
               const QString& Destination)
{
    CopyEngine engine(pathsOfSourceList(shellSourceList(Colec)), Destination, MoveFiles);
    CopyProgressPanel(window.widget, engine).runModal();
    if (!engine.failures().isEmpty()) {
        showMessage(window.widget,
                    QStringLiteral("No se pudo copiar todo:\n") + engine.failures().join(u'\n'));
    }
}
