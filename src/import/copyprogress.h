// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class CopyEngine;
class QLabel;
class QProgressBar;

// The copy's progress in the program's own look: the file being copied, how many of how
// many, and a bar for the bytes. Escape, or closing it, cancels; a file of the same name in the
// destination is asked about. It closes itself when the copy ends.
class CopyProgressPanel : public QDialog {
    Q_OBJECT
public:
    CopyProgressPanel(QWidget* owner, CopyEngine& engine);

    // Runs the copy on a worker thread and returns when it has ended.
    void runModal();
    // Cancels the copy; the panel closes when it has stopped.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void askReplace(const QString& name);

    CopyEngine& m_engine;
    QLabel* m_file = nullptr;
    QLabel* m_count = nullptr;
    QProgressBar* m_bar = nullptr;
};
