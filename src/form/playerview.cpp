// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/playerview.h"

#include "form/elements.h"
#include "form/screengeometry.h"

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
