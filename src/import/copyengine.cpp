#include "import/copyengine.h"

#include "platform/filecopy.h"
#include "platform/filesystem.h"

#include <QFile>
#include <QFileInfo>

CopyEngine::CopyEngine(QStringList sources, QString destination, bool move)
    : m_sources(std::move(sources)), m_destination(std::move(destination)), m_move(move)
{
}

QString CopyEngine::temporaryName(const QString& name)
{
    return u'.' + name + QStringLiteral(".sofavio-parcial");
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
        total += QFileInfo(source).size();
    qint64 done = 0;
    if (!FolderExists(m_destination)) {
        m_failures << QStringLiteral("%1: la carpeta de destino no existe").arg(m_destination);
    } else {
        for (int i = 0; i < m_sources.size() && !m_cancel; ++i) {
            emit fileStarted(i + 1, int(m_sources.size()), GetFileName(m_sources.at(i)));
            if (copyOne(m_sources.at(i), done, total))
                ++m_copied;
        }
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

bool CopyEngine::copyOne(const QString& source, qint64& doneBefore, qint64 total)
{
    const QString name = GetFileName(source);
    const QString target = BuildPath(m_destination, name);
    const qint64 size = QFileInfo(source).size();
    bool replace = false;
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink()) {
        switch (askReplace(name)) {
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
    if (replace && QFileInfo(target).isDir()) {
        m_failures << QStringLiteral("%1: en el destino hay una carpeta con ese nombre").arg(name);
        return false;
    }

    const QString temporary = BuildPath(m_destination, temporaryName(name));
    QFile::remove(temporary); // left by a copy that was cut short
    QString error;
    const qint64 base = doneBefore;
    const bool copied = copyFileContents(source, temporary, m_cancel,
                                         [&](qint64 done) { emit bytesCopied(base + done, total); },
                                         error) &&
                        renameInto(temporary, target, replace, error);
    doneBefore += size;
    if (!copied) {
        QFile::remove(temporary);
        if (!m_cancel)
            m_failures << QStringLiteral("%1: %2").arg(name, error);
        return false;
    }
    // A moved file leaves its place only once its copy is whole under its own name.
    if (m_move && !QFile::remove(source))
        m_failures << QStringLiteral("%1: copiado, pero no se pudo quitar del origen").arg(name);
    return true;
}
