// SPDX-License-Identifier: GPL-3.0-or-later
#include "keys/controlpanelkeys.h"

#include "form/elements.h"
#include "form/frmmain.h"
#include "form/screengeometry.h"
#include "form/twips.h"
#include "keys/jumppanelkeys.h"
#include "playback/playervisibility.h"

#include <QTimer>

namespace {

constexpr qint16 kLastButton = 5;
constexpr double kFrameOffset = 120; // the frame stands this far left of its button

enum Button { Play, Pause, Stop, Prev, Next, Select };

// Which button the frame stands around, read from where it is.
int framedButton(const ControlPanel& panel)
{
    const double frameLeft = twipRect(panel.Shape4).left();
    for (int button = 0; button <= kLastButton; ++button) {
        if (twipRect(panel.LblControl[std::size_t(button)]).left() - kFrameOffset == frameLeft)
            return button;
    }
    return -1;
}

} // namespace

void MoveControlHighlight(FrmMain& window, int step)
{
    ControlPanel& panel = window.controlPanel;
    panel.PicControls->show();
    panel.Timer2->stop();
    qint16& index = window.record.ControlIndex;
    index = qint16(index + step);
    if (step > 0 && index > kLastButton)
        index = 0;
    if (step < 0 && index < 0)
        index = kLastButton;
    setTwipLeft(panel.Shape4, twipRect(panel.LblControl[std::size_t(index)]).left() - kFrameOffset);
}

bool RunControlButton(FrmMain& window)
{
    window.controlPanel.Timer2->stop();

    bool endsKeys = false;
    switch (framedButton(window.controlPanel)) {
    case Play: {
        const QSizeF screen = screenTwips(window.widget);
        setTwipWidth(window.playerView.PicMediaPlayer, screen.width());
        setTwipHeight(window.playerView.PicMediaPlayer, screen.height());
        window.playback.resume();
        break;
    }
    case Pause:
        window.playback.pause();
        break;
    case Stop:
        window.playback.stopByUser();
        break;
    case Prev:
        endsKeys = !window.playback.stepBack();
        break;
    case Next:
        endsKeys = !window.playback.stepForward();
        break;
    case Select:
        OpenJumpPanel(window);
        endsKeys = true;
        break;
    default:
        break;
    }
    if (!endsKeys) {
        window.controlPanel.PicControls->hide();
        giveThePlayerTheScreen(window); // the panel no longer covers the foot of the picture
    }
    return endsKeys;
}

void PicControls_Paint(FrmMain& window)
{
    setTwipHeight(window.playerView.MediaPlayer,
                  playerHeightAboveControls(screenTwips(window.widget),
                                            twipRect(window.controlPanel.PicControls).height()));
}
