// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/nowplayingpanel.h"

#include "form/elements.h"
#include "form/screengeometry.h"

NowPlayingPanel buildNowPlayingPanel(QWidget* window)
{
    NowPlayingPanel panel;
    panel.PicNowPlaying =
        new Panel(window, QStringLiteral("PicNowPlaying"), designRect::PicNowPlaying, Qt::black);
    panel.PicNowPlaying->setBorder(Qt::white);
    QWidget* parent = panel.PicNowPlaying;
    // Made bottom of the stack first.
    panel.Shape2 = new Outline(parent, QStringLiteral("Shape2"), designRect::Shape2, Qt::white, 5);
    panel.LblNowPlaying = makeLabel(
        parent, QStringLiteral("LblNowPlaying"), designRect::LblNowPlaying,
        QStringLiteral("No hay Media Disponible"),
        TextLook{Face::Sans, 20.25, Qt::white, Align::Left, false, Qt::transparent, true});
    panel.lblTime =
        makeLabel(parent, QStringLiteral("lblTime"), designRect::lblTime, QStringLiteral("00:00"),
                  TextLook{Face::Serif, 24, QColor(255, 255, 0), Align::Right});
    return panel;
}
