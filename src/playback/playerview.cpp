#include "playback/playerview.h"

#include "app/elements.h"
#include "app/screengeometry.h"
#include "app/twips.h"

PlayerView buildPlayerView(QWidget* window)
{
    PlayerView view;
    view.PicMediaPlayer = new Panel(window, QStringLiteral("PicMediaPlayer"),
                                    designRect::PicMediaPlayer, QColor(0, 43, 0));
    view.PicMediaPlayer->hide();
    // A plain black surface; the player draws nothing into it while it has no video output.
    view.MediaPlayer = new Panel(view.PicMediaPlayer, QStringLiteral("MediaPlayer"),
                                 designRect::MediaPlayer, Qt::black);
    return view;
}
