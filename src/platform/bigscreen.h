// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <optional>
#include <vector>

// The 10-foot layout is designed for screens up to 1080 rows. On a taller screen (a 4K
// television) the program draws at a device pixel ratio of rows / 1080, so texts, frames and
// panels keep their proportions while pictures and video use every pixel.

// One screen of the X server: its name as Qt names it (empty when the server cannot name its
// screens) and its height in pixels.
struct ScreenRows {
    QByteArray name;
    int rows = 0;
};

// The environment setting that scales each screen taller than 1080 rows: per screen by name
// (QT_SCREEN_SCALE_FACTORS), or for all when the screens have no names (QT_SCALE_FACTOR).
// Nothing when no screen is taller.
struct ScaleSetting {
    const char* variable;
    QByteArray value;
};
std::optional<ScaleSetting> bigScreenScaling(const std::vector<ScreenRows>& screens);

// The screens of the X server named by $DISPLAY, through RandR's monitors (the names Qt
// gives its screens); the whole X screen, unnamed, where RandR has no monitors. Empty when
// there is no X server.
std::vector<ScreenRows> x11Screens();

// Puts the setting in the environment before the application starts, unless the user chose a
// scale (QT_SCALE_FACTOR, QT_SCREEN_SCALE_FACTORS) or the program does not draw through X.
// Returns the variable it set, so it can be taken out again once the application has read it
// and programs started from here do not inherit it.
const char* scaleForBigScreens();
