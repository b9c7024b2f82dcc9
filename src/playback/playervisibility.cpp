// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/playervisibility.h"

#include "form/elements.h"
#include "form/frmmain.h"
#include "form/tracknote.h"
#include "form/twips.h"

#include <QTimer>

void giveThePlayerTheScreen(FrmMain& window)
{
    const QSizeF screen = screenTwips(window.widget);
    setTwipWidth(window.playerView.MediaPlayer, screen.width());
    setTwipHeight(window.playerView.MediaPlayer, screen.height());
}

void showPictureUnlessCovered(FrmMain& window)
{
    window.playerView.MediaPlayer->setVisible(!window.jumpPanelShown() &&
                                              !window.importScreenShown());
}

void ShowMediaPlayer(FrmMain& window)
{
    giveThePlayerTheScreen(window);
    showPictureUnlessCovered(window);
    window.playerView.PicMediaPlayer->show();
}

void HideMediaPlayer(FrmMain& window)
{
    window.playerView.PicMediaPlayer->hide();
}

void Timer2_Timer(FrmMain& window)
{
    window.controlPanel.PicControls->hide();
    window.controlPanel.Timer2->stop();
    giveThePlayerTheScreen(window);
}

void showTrackNote(FrmMain& window, const QString& text)
{
    if (text.isEmpty())
        return;
    auto* note = window.widget->findChild<TrackNote*>();
    if (!note)
        note = new TrackNote(window.widget);
    note->showText(text);
}
