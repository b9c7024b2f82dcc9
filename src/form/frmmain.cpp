// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/frmmain.h"

#include "form/elements.h"

FrmMain::FrmMain(QWidget& window, Services services, QString programFolder)
    : widget(&window), playback(services.player), m_services(std::move(services)),
      m_programFolder(std::move(programFolder))
{
    playback.setJumpBarLength(jumpPanel.bar.maximum); // its length until a film's is given
    playback.keepResumePointsIn(m_programFolder + QStringLiteral("/resume.txt"));
}

bool FrmMain::importScreenShown() const
{
    return !importScreen.picCopiar->isHidden();
}

bool FrmMain::jumpPanelShown() const
{
    return !jumpPanel.PicSaltar->isHidden();
}

bool FrmMain::controlPanelShown() const
{
    return !controlPanel.PicControls->isHidden();
}

bool FrmMain::playerViewShown() const
{
    return !playerView.PicMediaPlayer->isHidden();
}
