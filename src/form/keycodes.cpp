// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/keycodes.h"

#include <QKeyEvent>

int keyCode(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Backspace:
    case Qt::Key_Back:
        return kKeyBackspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kKeyEnter;
    case Qt::Key_Escape:
        return kKeyEscape;
    case Qt::Key_Space:
    case Qt::Key_MediaTogglePlayPause:
        return kKeySpace;
    case Qt::Key_MediaPlay:
        return kKeyMediaPlay;
    case Qt::Key_MediaPause:
        return kKeyMediaPause;
    case Qt::Key_PageUp:
        return kKeyPageUp;
    case Qt::Key_PageDown:
        return kKeyPageDown;
    case Qt::Key_End:
        return kKeyEnd;
    case Qt::Key_Home:
        return kKeyHome;
    case Qt::Key_Left:
        return kKeyLeft;
    case Qt::Key_Up:
        return kKeyUp;
    case Qt::Key_Right:
        return kKeyRight;
    case Qt::Key_Down:
        return kKeyDown;
    case Qt::Key_Delete:
        return kKeyDelete;
    case Qt::Key_MediaNext:
        return kKeyMediaNext;
    case Qt::Key_MediaPrevious:
        return kKeyMediaPrevious;
    case Qt::Key_MediaStop:
        return kKeyMediaStop;
    case Qt::Key_Subtitle:
        return kKeySubtitles;
    case Qt::Key_AudioCycleTrack:
        return kKeyAudioTrack;
    default:
        break;
    }
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey; // Qt gives letters and digits their ASCII codes
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return kKeyF1 + (qtKey - Qt::Key_F1);
    return 0;
}

int keyCode(const QKeyEvent& event)
{
    // X gives a Play/Pause button (a keyboard's, or the remote's own) the name of Play; only
    // its key code, the kernel's KEY_PLAYPAUSE plus 8 under X and Wayland alike, tells them apart.
    constexpr quint32 kPlayPauseKeyCode = 164 + 8;
    if (event.key() == Qt::Key_MediaPlay && event.nativeScanCode() == kPlayPauseKeyCode)
        return kKeySpace;
    return keyCode(event.key());
}
