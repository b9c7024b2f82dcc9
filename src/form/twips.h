// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QSizeF>

class QWidget;

// Lengths on screen are worked out in twips, 15 to a logical pixel, and turned into pixels
// only here.
inline constexpr double kTwipsPerPixel = 15.0;

QRect toPixels(const QRectF& twips);
QSize toPixels(const QSizeF& twips);

// Places the widget and remembers the exact twips, so code that compares positions (which
// button a frame surrounds) sees the values it set, not rounded pixels.
void setTwipRect(QWidget* widget, const QRectF& twips);
QRectF twipRect(const QWidget* widget);

void setTwipLeft(QWidget* widget, double left);
void setTwipTop(QWidget* widget, double top);
void setTwipWidth(QWidget* widget, double width);
void setTwipHeight(QWidget* widget, double height);

// The size of the screen that shows the widget.
QSizeF screenTwips(const QWidget* widget);
