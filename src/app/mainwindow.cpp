// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow.h"

#include "app/formload.h"
#include "form/background.h"
#include "form/elements.h"
#include "form/keycodes.h"
#include "form/layout.h"
#include "form/menulist.h"
#include "form/screengeometry.h"
#include "form/twips.h"
#include "import/importflow.h"
#include "keys/controlpanelkeys.h"
#include "keys/heldkeys.h"
#include "keys/jumppanelkeys.h"
#include "keys/menukeys.h"
#include "keys/windowkeys.h"
#include "menu/folderbrowser.h"
#include "menu/itemactivation.h"
#include "pictures/picturedecoder.h"
#include "pictures/preview.h"
#include "platform/mediaplayer.h"
#include "playback/nowplaying.h"
#include "playback/playervisibility.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <algorithm>

MainWindow::MainWindow(Services services, QString programFolder, QWidget* parent)
    : QWidget(parent), FrmMain(*this, std::move(services), std::move(programFolder))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Sofavio"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    buildElements();
    preview.decoder = new PictureDecoder(this);
    connectPreview(*this);
    connectFolderReader(*this);
    connectPlayer();
    Form_Load(*this);
    // Hidden, the player's panel hears of the size it was just given only when first shown.
    playerPanelResized(playerView.PicMediaPlayer->size());
}

void MainWindow::buildElements()
{
    // Plain elements first and panels after, bottom of the stack first, so each lies over
    // the ones made before it.
    Image1 = new Picture(this, QStringLiteral("Image1"), designRect::Image1);
    LblTitle = makeLabel(this, QStringLiteral("LblTitle"), designRect::LblTitle,
                         QStringLiteral("MENU PRINCIPAL"),
                         TextLook{Face::Sans, 26.25, Qt::white, Align::Centre});
    Shape1 = new Outline(this, QStringLiteral("Shape1"), designRect::Shape1, QColor(0, 192, 0), 5);
    Image2 = new Picture(this, QStringLiteral("Image2"), designRect::Image2);

    imageInfo = buildImageInfoPanel(this);
    LsvMenu = new MenuList(this);
    setTwipRect(LsvMenu, designRect::LsvMenu);
    LsvMenu->installEventFilter(this);
    new HeldKeys(this);
    LsvMenu->viewport()->installEventFilter(this);
    LblReading = makeLabel(
        this, QStringLiteral("LblReading"), designRect::LsvMenu, QString(),
        TextLook{Face::Sans, 21.75, QColor(228, 121, 69), Align::Centre, true, QColor(0, 43, 0)});
    LblReading->hide();
    nowPlaying = buildNowPlayingPanel(this);
    playerView = buildPlayerView(this);
    controlPanel = buildControlPanel(this);
    jumpPanel = buildJumpPanel(this);
    importScreen = buildImportScreen(this);
    importScreen.List1->installEventFilter(this);

    // A click on a row chooses it, as Enter does; not while the import screen is up.
    connect(LsvMenu, &QAbstractItemView::clicked, this, [this](const QModelIndex& row) {
        if (importScreenShown() || m_secondClick)
            return;
        LsvMenu->selectRow(row.row());
        LsvMenu_Click(*this);
    });
    connect(controlPanel.PicControls, &Panel::painted, this, [this] { PicControls_Paint(*this); });
    connect(controlPanel.Timer2, &QTimer::timeout, this, [this] { Timer2_Timer(*this); });
    connect(jumpPanel.PicSaltar, &Panel::painted, this, [this] { PicSaltar_Paint(*this); });

    playerView.PicMediaPlayer->installEventFilter(this);
    Timer1 = new QTimer(playerView.PicMediaPlayer);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(*this); });
    Timer1->start();

    Timer3 = new QTimer(playerView.PicMediaPlayer);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer3->setInterval(3000);
    connect(Timer3, &QTimer::timeout, this, &MainWindow::Timer3_Timer);
    Timer3->start();
}

void MainWindow::connectPlayer()
{
    MediaPlayer& player = services().player;
    connect(&player, &MediaPlayer::aboutToOpen, this, &MainWindow::prepareVideoSurface);
    connect(&player, &MediaPlayer::NewStream, this, [this] { MediaPlayer_NewStream(*this); });
    connect(&player, &MediaPlayer::MediaChange, this, [this] { MediaPlayer_MediaChange(*this); });
    connect(&player, &MediaPlayer::Error, this, [this](const QString& path, const QString& reason) {
        MediaPlayer_Error(*this, path, reason);
    });
}

void MainWindow::prepareVideoSurface()
{
    // Made when the player first opens something, so neither start-up nor a session that
    // never plays pays for OpenGL; mpv then finds it ready before its video output starts.
    if (m_videoSurfaceMade || !services().videoSurface)
        return;
    m_videoSurfaceMade = true;
    fitVideoSurface(playerView, services().videoSurface(playerView.MediaPlayer));
}

void MainWindow::showOnScreen()
{
    setGeometry(screen()->geometry());
    showFullScreen();
}

void MainWindow::paintEvent(QPaintEvent*)
{
    if (m_background.size() != size())
        m_background = renderBackground(size());
    QPainter(this).drawPixmap(0, 0, m_background);
}

void MainWindow::resizeEvent(QResizeEvent*)
{
    applyRelayout(*this);
}

void MainWindow::mouseMoveEvent(QMouseEvent*)
{
    showPointer();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        if (watched == LsvMenu->viewport())
            showPointer(); // the list's own mouse movement does what the window's does
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // A double click is one choice, made by its first click: the second would choose
        // again, or choose whatever the first has listed under it.
        if (watched == LsvMenu->viewport())
            m_secondClick = event->type() == QEvent::MouseButtonDblClick;
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if ((watched == LsvMenu || watched == importScreen.List1) &&
            listKey(watched, static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::FocusOut:
        if (watched == LsvMenu)
            LsvMenu_LostFocus(*this);
        break;
    case QEvent::Resize:
        if (watched == playerView.PicMediaPlayer)
            playerPanelResized(static_cast<QResizeEvent*>(event)->size());
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool MainWindow::listKey(QObject* watched, QKeyEvent* key)
{
    // A key held with Shift, Ctrl or Alt acts as the bare key, for the list widget too.
    // (The modifier keys themselves have no code and pass as they are.)
    const Qt::KeyboardModifiers held =
        key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (held && keyCode(*key) != 0) {
        QKeyEvent bare(key->type(), key->key(), key->modifiers() & ~held, key->nativeScanCode(),
                       key->nativeVirtualKey(), key->nativeModifiers(), key->text(),
                       key->isAutoRepeat(), key->count());
        QCoreApplication::sendEvent(watched, &bare);
        return true;
    }
    if (key->type() == QEvent::KeyRelease) {
        if (watched == LsvMenu && !folders.reading())
            LsvMenu_KeyUp(*this, keyCode(*key));
        return false;
    }
    return previewKey(watched, key);
}

void MainWindow::playerPanelResized(QSize size)
{
    // A panel resized while hidden hears of it only when it is first shown, in the middle of
    // showing it: the size it already had is no change, and hiding it there would leave it
    // on screen while the program counts it hidden.
    if (size == m_playerPanelSize)
        return;
    m_playerPanelSize = size;
    PicMediaPlayer_Resize(*this);
}

bool MainWindow::previewKey(QObject* watched, QKeyEvent* event)
{
    // The window sees every key before the list that has the focus.
    const int code = keyCode(*event);
    if (folders.reading()) {
        keyWhileFolderIsRead(*this, code);
        return true;
    }
    Form_KeyDown(*this, code);
    if (watched == importScreen.List1) {
        List1_KeyDown(*this, code);
        return false;
    }
    LsvMenu_KeyDown(*this, code);
    return menuKeyIsConsumed(code);
}

void MainWindow::changeEvent(QEvent* event)
{
    // Stay in front of other windows, without taking the focus back.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible())
        bringToFront();
    QWidget::changeEvent(event);
}

void MainWindow::bringToFront()
{
    raise();
    // The program's own windows (questions, messages, the viewer, the copy panel) stay above
    // it, each above the one it belongs to: without a window manager nobody else keeps them
    // there, and a question hidden behind the screen would still hold the keys.
    std::vector<std::pair<int, QWidget*>> owned;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top == this || !top->isVisible())
            continue;
        int depth = 1;
        QWidget* owner = top->parentWidget();
        for (; owner && owner != this; owner = owner->parentWidget())
            ++depth;
        if (owner == this)
            owned.emplace_back(depth, top);
    }
    std::stable_sort(owned.begin(), owned.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [depth, top] : owned)
        top->raise();
}

void MainWindow::showPointer()
{
    unsetCursor();
    Timer3->start();
}

void MainWindow::Timer3_Timer()
{
    setCursor(Qt::BlankCursor);
    Timer3->stop();
}
