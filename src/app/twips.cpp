#include "app/twips.h"

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

void setTwipLeft(QWidget* widget, double left)
{
    QRectF r = twipRect(widget);
    r.moveLeft(left);
    setTwipRect(widget, r);
}

void setTwipTop(QWidget* widget, double top)
{
    QRectF r = twipRect(widget);
    r.moveTop(top);
    setTwipRect(widget, r);
}

void setTwipWidth(QWidget* widget, double width)
{
    QRectF r = twipRect(widget);
    r.setWidth(width);
    setTwipRect(widget, r);
}

void setTwipHeight(QWidget* widget, double height)
{
    QRectF r = twipRect(widget);
    r.setHeight(height);
    setTwipRect(widget, r);
}

QSizeF screenTwips(const QWidget* widget)
{
    const QScreen* screen = widget->screen();
    const QSize px = screen ? screen->geometry().size() : QSize(1024, 768);
    return QSizeF(px.width() * kTwipsPerPixel, px.height() * kTwipsPerPixel);
}
