// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/twips.h"

#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <cmath>

namespace {

constexpr const char* kTwipProperty = "sofavioTwips";

int pixels(double twips)
{
    return int(std::lround(twips / kTwipsPerPixel));
}

} // namespace

QSize toPixels(const QSizeF& twips)
{
    return toPixels(QRectF(QPointF(), twips)).size();
}

QRect toPixels(const QRectF& twips)
{
    // Edges are rounded, not sizes, so neighbours meet without gaps.
    const int left = pixels(twips.left());
    const int top = pixels(twips.top());
    return QRect(left, top, pixels(twips.left() + twips.width()) - left,
                 pixels(twips.top() + twips.height()) - top);
}

void setTwipRect(QWidget* widget, const QRectF& twips)
{
    widget->setProperty(kTwipProperty, twips);
    widget->setGeometry(toPixels(twips));
}

QRectF twipRect(const QWidget* widget)
{
    const QVariant stored = widget->property(kTwipProperty);
    if (stored.isValid() && toPixels(stored.toRectF()) == widget->geometry())
        return stored.toRectF();
    const QRect px = widget->geometry();
    return QRectF(px.x() * kTwipsPerPixel, px.y() * kTwipsPerPixel, px.width() * kTwipsPerPixel,
                  px.height() * kTwipsPerPixel);
}

template <typename Change>
void changeTwipRect(QWidget* widget, Change change)
{
    QRectF twips = twipRect(widget);
    change(twips);
    setTwipRect(widget, twips);
}

void setTwipLeft(QWidget* widget, double left)
{
    changeTwipRect(widget, [left](QRectF& r) { r.moveLeft(left); });
}

void setTwipTop(QWidget* widget, double top)
{
    changeTwipRect(widget, [top](QRectF& r) { r.moveTop(top); });
}

void setTwipWidth(QWidget* widget, double width)
{
    changeTwipRect(widget, [width](QRectF& r) { r.setWidth(width); });
}

void setTwipHeight(QWidget* widget, double height)
{
    changeTwipRect(widget, [height](QRectF& r) { r.setHeight(height); });
}

QSizeF screenTwips(const QWidget* widget)
{
    const QScreen* screen = widget->screen();
    const QSize px = screen ? screen->geometry().size() : QSize(1024, 768);
    return QSizeF(px.width() * kTwipsPerPixel, px.height() * kTwipsPerPixel);
}
