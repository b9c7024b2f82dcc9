// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/layout.h"

#include "form/elements.h"
#include "form/frmmain.h"
#include "form/menulist.h"
#include "form/screengeometry.h"
#include "form/twips.h"

#include <QLabel>

void applyStartupLayout(FrmMain& window)
{
    const StartupGeometry g = startupLayout(screenTwips(window.widget));
    setTwipRect(window.Image2, g.Image2);
    setTwipRect(window.playerView.PicMediaPlayer, g.PicMediaPlayer);
    setTwipRect(window.controlPanel.PicControls, g.PicControls);
    setTwipRect(window.controlPanel.Shape3, g.Shape3);
    setTwipRect(window.LsvMenu, g.LsvMenu);
    setTwipRect(window.nowPlaying.PicNowPlaying, g.PicNowPlaying);
    setTwipRect(window.nowPlaying.Shape2, g.Shape2);
    setTwipRect(window.nowPlaying.LblNowPlaying, g.LblNowPlaying);
}

void applyRelayout(FrmMain& window)
{
    const QSizeF size(window.widget->width() * kTwipsPerPixel,
                      window.widget->height() * kTwipsPerPixel);
    const RelayoutGeometry g =
        relayout(twipRect(window.LsvMenu), twipRect(window.nowPlaying.lblTime).width(),
                 screenTwips(window.widget), size);
    setTwipRect(window.Image1, QRectF(twipRect(window.Image1).topLeft(), g.Image1Size));
    setTwipTop(window.LsvMenu, g.LsvMenuTop);
    setTwipLeft(window.nowPlaying.PicNowPlaying, g.PicNowPlayingLeft);
    setTwipWidth(window.LblTitle, g.LblTitleWidth);
    setTwipWidth(window.Shape1, g.Shape1Width);
    setTwipTop(window.LblTitle, g.LblTitleTop);
    setTwipTop(window.Image2, g.Image2Top);
    setTwipTop(window.Shape1, g.Shape1Top);
    setTwipLeft(window.LblTitle, g.LblTitleLeft);
    setTwipLeft(window.Shape1, g.Shape1Left);
    setTwipLeft(window.nowPlaying.lblTime, g.lblTimeLeft);
}
