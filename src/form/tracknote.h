// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QTimer;

// A short note over the foot of the film ("Subtítulos: Español"), shown for three seconds.
// The film is a window of its own above every widget of the main window, so the note is a
// window too, kept above it.
class TrackNote : public QWidget {
    Q_OBJECT
public:
    explicit TrackNote(QWidget* owner);
    void showText(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* m_owner;
    QLabel* m_text;
    QTimer* m_timer;
};
