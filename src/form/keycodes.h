// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QKeyEvent;

// The codes a remote control sends, as the key handlers test them.
inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeySpace = 32;
inline constexpr int kKeyPageUp = 33;
inline constexpr int kKeyPageDown = 34;
inline constexpr int kKeyEnd = 35;
inline constexpr int kKeyHome = 36;
inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyRight = 39;
inline constexpr int kKeyDown = 40;
inline constexpr int kKeyDelete = 46;
inline constexpr int kKeyF1 = 112;
inline constexpr int kKeyF2 = 113;
// A remote's subtitle and audio-track buttons have the codes of F3 and F4, whose actions they
// are.
inline constexpr int kKeySubtitles = 114;
inline constexpr int kKeyAudioTrack = 115;
// A media remote's own transport buttons. Its Play/Pause and Back buttons have the codes of
// Space and Backspace, whose actions they are.
inline constexpr int kKeyMediaPause = 19;
inline constexpr int kKeyMediaNext = 176;
inline constexpr int kKeyMediaPrevious = 177;
inline constexpr int kKeyMediaStop = 178;
inline constexpr int kKeyMediaPlay = 250;

// The code of a Qt key: the codes above, letters and digits as their capitals and digits,
// F1 to F24 from 112 on; 0 for a key that has none.
int keyCode(int qtKey);
int keyCode(const QKeyEvent& event);
