// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/copyengine.h"

#include "platform/filecopy.h"
#include "platform/filenames.h"
#include "platform/filesystem.h"
#include "platform/logging.h"

CopyEngine::CopyEngine(QStringList sources, QString destination, bool move)
    : m_sources(std::move(sources)), m_destination(std::move(destination)), m_move(move)
{
}

QString CopyEngine::temporaryName(const QString& name)
{
    const QString mark = QStringLiteral(".sofavio-parcial");
    return u'.' + nameCutToFit(name, 1 + mark.size()) + mark;
}

void CopyEngine::cancel()
{
    m_cancel = true;
    m_answered.release(); // a question waiting for an answer is answered "Cancelar"
}

void CopyEngine::answer(Answer answer)
{
    m_answer = answer;
    m_answered.release();
}

void CopyEngine::run()
{
    qint64 total = 0;
    for (const QString& source : m_sources)
        total += fileSize(source);
    qint64 done = 0;
    const QString destination = readableName(m_destination);
    if (!FolderExists(m_destination)) {
        m_failures << QStringLiteral("%1: la carpeta de destino no existe").arg(destination);
    } else {
        for (int i = 0; i < m_sources.size() && !m_cancel; ++i) {
            const QString name = readableName(GetFileName(m_sources.at(i)));
            emit fileStarted(i + 1, int(m_sources.size()), name);
            if (copyOne(m_sources.at(i), done, total))
                ++m_copied;
        }
        if (m_copied > 0 && !syncFolder(m_destination))
            m_failures
                << QStringLiteral("%1: no se pudo asegurar la copia en el disco").arg(destination);
    }
    emit finished();
}

CopyEngine::Answer CopyEngine::askReplace(const QString& name)
{
    if (m_replaceAll)
        return Yes;
    emit replaceAsked(name);
    m_answered.acquire();
    if (m_cancel)
        return Cancel;
    const auto given = Answer(m_answer.load());
    m_replaceAll = given == YesToAll;
    return given;
}

namespace {

// A half-written copy that stays behind is only untidy, as the next copy of the file removes
// it, but a person looking for the disc's space should find it named in the log.
void removeLeftover(const QString& temporary)
{
    if (pathTaken(temporary) && !removeFile(temporary))
        qCWarning(lcImport, "cannot remove the unfinished copy %s", qPrintable(temporary));
}

} // namespace

bool CopyEngine::copyOne(const QString& source, qint64& doneBefore, qint64 total)
{
    const QString name = GetFileName(source);
    const QString shown = readableName(name);
    const QString target = BuildPath(m_destination, name);
    const qint64 size = fileSize(source);
    bool replace = false;
    if (pathTaken(target)) {
        switch (askReplace(shown)) {
        case Yes:
        case YesToAll:
            replace = true;
            break;
        case No:
            doneBefore += size;
            return false;
        case Cancel:
            m_cancel = true;
            return false;
        }
    }
    if (replace && FolderExists(target)) {
        m_failures << QStringLiteral("%1: en el destino hay una carpeta con ese nombre").arg(shown);
        return false;
    }

    const QString temporary = BuildPath(m_destination, temporaryName(name));
    removeLeftover(temporary); // left by a copy that was cut short
    QString error;
    const qint64 base = doneBefore;
    const bool copied = copyFileContents(
                            source, temporary, m_cancel,
                            [&](qint64 done) { emit bytesCopied(base + done, total); }, error) &&
                        renameInto(temporary, target, replace, error);
    doneBefore += size;
    if (!copied) {
        removeLeftover(temporary);
        if (!m_cancel)
            m_failures << QStringLiteral("%1: %2").arg(shown, error);
        return false;
    }
    // A moved file leaves its place only once its copy is whole under its own name.
    if (m_move && !removeFile(source))
        m_failures << QStringLiteral("%1: copiado, pero no se pudo quitar del origen").arg(shown);
    return true;
}
