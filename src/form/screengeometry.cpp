// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/screengeometry.h"

#include <algorithm>
#include <cmath>

StartupGeometry startupLayout(QSizeF screen)
{
    const double sw = screen.width();
    const double sh = screen.height();
    StartupGeometry g{designRect::Image2, designRect::PicMediaPlayer, designRect::PicControls,
                      designRect::Shape3, designRect::LsvMenu,        designRect::PicNowPlaying,
                      designRect::Shape2, designRect::LblNowPlaying};
    g.Image2.moveLeft(sw - g.Image2.width() - 200);
    g.PicMediaPlayer.setSize(screen);
    g.PicControls.setWidth(sw);
    g.PicControls.moveTop(sh - g.PicControls.height() - 200);
    g.Shape3.setWidth(sw);
    g.LsvMenu.setHeight(sh / 1.4);
    g.LsvMenu.setWidth(sw - 400 - g.Image2.width());
    g.PicNowPlaying.setWidth(sw - 200);
    g.PicNowPlaying.moveTop(sh - g.PicNowPlaying.height() - 200);
    g.Shape2.setWidth(g.PicNowPlaying.width());
    // Its designed width cuts the artist, title and album short on any screen: it reaches
    // as far as the panel goes, less its own left margin.
    g.LblNowPlaying.setWidth(g.PicNowPlaying.width() - 2 * g.LblNowPlaying.left());
    return g;
}

RelayoutGeometry relayout(const QRectF& list, double timeLabelWidth, QSizeF screen, QSizeF window)
{
    RelayoutGeometry g{};
    g.Image1Size = window;
    g.LsvMenuTop = (window.height() - list.height()) / 2;
    g.PicNowPlayingLeft = list.left();
    g.LblTitleWidth = screen.width() - 200;
    g.Shape1Width = g.LblTitleWidth;
    g.LblTitleTop = g.LsvMenuTop - 1000;
    g.Image2Top = g.LsvMenuTop;
    g.Shape1Top = g.LblTitleTop - 150;
    g.LblTitleLeft = list.left();
    g.Shape1Left = g.LblTitleLeft;
    g.lblTimeLeft = screen.width() - timeLabelWidth - 400;
    return g;
}

double playerHeightAboveControls(QSizeF screen, double controlsHeight)
{
    return screen.height() - controlsHeight - 220;
}

int gradientGreen(double twipRow)
{
    return std::min(255, int(std::floor((twipRow + 1) / 121)));
}
