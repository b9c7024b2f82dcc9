#include "playback/playerview.h"

#include "app/elements.h"
#include "app/mainwindow.h"
#include "app/screengeometry.h"
#include "app/twips.h"

#include <QVBoxLayout>

PlayerView buildPlayerView(QWidget* window)
{
    PlayerView view;
    view.PicMediaPlayer = new Panel(window, QStringLiteral("PicMediaPlayer"),
                                    designRect::PicMediaPlayer, QColor(0, 43, 0));
    view.PicMediaPlayer->hide();
    view.MediaPlayer = new Panel(view.PicMediaPlayer, QStringLiteral("MediaPlayer"),
                                 designRect::MediaPlayer, Qt::black);
    return view;
}

void fitVideoSurface(PlayerView& view, QWidget* surface)
{
    auto* layout = new QVBoxLayout(view.MediaPlayer);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(surface);
}

void giveThePlayerTheScreen(MainWindow& window)
{
    const QSizeF screen = screenTwips(&window);
    setTwipWidth(window.playerView.MediaPlayer, screen.width());
    setTwipHeight(window.playerView.MediaPlayer, screen.height());
}

void ShowMediaPlayer(MainWindow& window)
{
    giveThePlayerTheScreen(window);
    window.playerView.PicMediaPlayer->show();
}

void HideMediaPlayer(MainWindow& window)
{
    window.playerView.PicMediaPlayer->hide();
}
