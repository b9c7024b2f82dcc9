// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "form/frmmain.h"

#include <QPixmap>
#include <QWidget>

// The one window of the program: the form on screen, turning Qt's events into the handlers'
// calls.
class MainWindow : public QWidget, public FrmMain {
    Q_OBJECT
public:
    // folders.ini is read from programFolder.
    MainWindow(Services services, QString programFolder, QWidget* parent = nullptr);

    // Fills the screen; the geometry is set first, as a bare X server needs it.
    void showOnScreen();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildElements();
    void connectPlayer();
    void prepareVideoSurface();
    void bringToFront();
    void showPointer();
    // A key pressed or let go on one of the lists; true when it is used up.
    bool listKey(QObject* watched, QKeyEvent* key);
    bool previewKey(QObject* watched, QKeyEvent* event);
    void playerPanelResized(QSize size);
    void Timer3_Timer();

    QPixmap m_background;
    bool m_videoSurfaceMade = false;
    QSize m_playerPanelSize;    // the size the panel's resize was last handled at
    bool m_secondClick = false; // the list's mouse button is down for a double click's second
};
