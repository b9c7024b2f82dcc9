// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>

// One figure for bench/run's table: what was measured, its goal, and the floor (the system's
// own tool doing the same work) measured in the same run; floor 0 when there is none.
inline void reportRow(const char* figure, double value, const char* unit, const char* goal,
                      const char* floorName = "", double floor = 0)
{
    std::printf("ROW|%s|%.1f|%s|%s|%s|%.1f\n", figure, value, unit, goal, floorName, floor);
    std::fflush(stdout);
}
