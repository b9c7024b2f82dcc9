// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QSemaphore>
#include <QStringList>
#include <atomic>

// Copies (or moves) files into one folder on a worker thread, file by file. Each file is
// written under a temporary name in the destination and takes its own name only when
// complete, so a cancelled or failed copy leaves no half file and never harms an existing
// one. A file of the same name already there is replaced only if the user says so.
class CopyEngine : public QObject {
    Q_OBJECT
public:
    enum Answer { Yes, No, YesToAll, Cancel };

    CopyEngine(QStringList sources, QString destination, bool move);

    // Runs the whole copy; called on the worker thread.
    void run();
    // Both safe from any thread.
    void cancel();
    void answer(Answer answer);

    // What could not be done, one line a file, in Spanish.
    const QStringList& failures() const { return m_failures; }
    bool cancelled() const { return m_cancel; }
    int copiedCount() const { return m_copied; }

    // The temporary name a file is written under until it is complete.
    static QString temporaryName(const QString& name);

signals:
    void fileStarted(int index, int count, const QString& name);
    void bytesCopied(qint64 done, qint64 total);
    // The worker waits for answer() after this.
    void replaceAsked(const QString& name);
    void finished();

private:
    bool copyOne(const QString& source, qint64& doneBefore, qint64 total);
    Answer askReplace(const QString& name);

    const QStringList m_sources;
    const QString m_destination;
    const bool m_move;
    std::atomic<bool> m_cancel{false};
    QSemaphore m_answered;
    std::atomic<int> m_answer{No};
    bool m_replaceAll = false;
    QStringList m_failures;
    int m_copied = 0;
};
