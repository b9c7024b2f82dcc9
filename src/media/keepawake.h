// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Playback;
class WakeHolds;

// While anything plays the machine stays awake; while a film plays the screen stays lit as
// well. Each hold goes when playback pauses, stops or ends, or a song takes the film's place.
void keepAwakeWhilePlaying(Playback& playback, WakeHolds& holds);
