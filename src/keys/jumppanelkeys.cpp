// SPDX-License-Identifier: GPL-3.0-or-later
#include "keys/jumppanelkeys.h"

#include "form/elements.h"
#include "form/frmmain.h"
#include "form/twips.h"
#include "playback/playervisibility.h"

#include <QProgressBar>
#include <QTimer>
#include <cmath>

namespace {

constexpr qint16 kLastChoice = 2;
enum Choice { More, Less, Ok };

} // namespace

void OpenJumpPanel(FrmMain& window)
{
    JumpPanel& panel = window.jumpPanel;
    Playback& playback = window.playback;
    window.record.JumpIndex = 0;
    setTwipLeft(panel.Shape5, twipRect(panel.LblSaltar[0]).left());
    if (const auto media = playback.currentMedia()) {
        panel.bar.setMaximum(float(media->duration));
        playback.setJumpBarLength(panel.bar.maximum);
    }
    if (const auto position = playback.position())
        panel.bar.setValue(float(*position));
    panel.PicSaltar->raise();
    panel.PicSaltar->show();
    showPictureUnlessCovered(window);
    window.controlPanel.Timer2->stop();
}

void MoveJumpHighlight(FrmMain& window, int step)
{
    window.controlPanel.Timer2->stop();
    qint16& index = window.record.JumpIndex;
    index = qint16(index + step);
    if (index > kLastChoice)
        index = 0;
    if (index < 0)
        index = kLastChoice;
    setTwipLeft(window.jumpPanel.Shape5,
                twipRect(window.jumpPanel.LblSaltar[std::size_t(index)]).left());
}

void RunJumpChoice(FrmMain& window)
{
    JumpPanel& panel = window.jumpPanel;
    JumpBar& bar = panel.bar;
    const float step = bar.maximum / 10;
    const double frameLeft = twipRect(panel.Shape5).left();
    const auto framed = [&](Choice choice) {
        return twipRect(panel.LblSaltar[std::size_t(choice)]).left() == frameLeft;
    };
    if (framed(Less)) {
        window.controlPanel.Timer2->stop();
        if (bar.value - step > 0)
            bar.setValue(bar.value - step);
    } else if (framed(More)) {
        window.controlPanel.Timer2->stop();
        if (bar.value + step < bar.maximum)
            bar.setValue(bar.value + step);
    } else if (framed(Ok)) {
        window.playback.seek(bar.value);
        CloseJumpPanel(window);
    }
}

void CloseJumpPanel(FrmMain& window)
{
    window.jumpPanel.PicSaltar->hide();
    showPictureUnlessCovered(window);
    Timer2_Timer(window);
}

void PicSaltar_Paint(FrmMain& window)
{
    window.controlPanel.Timer2->stop();
}
