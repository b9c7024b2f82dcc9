// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/elements.h"

#include "form/twips.h"

#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

QFont screenFont(Face face, double points, bool bold)
{
    QFont font(face == Face::Sans ? QStringLiteral("Liberation Sans")
                                  : QStringLiteral("Liberation Serif"));
    font.setStyleHint(face == Face::Sans ? QFont::SansSerif : QFont::Serif);
    // Sizes follow the 96-dot screen the twips assume, whatever the display reports.
    font.setPixelSize(int(std::lround(points * 96.0 / 72.0)));
    font.setBold(bold);
    return font;
}

Panel::Panel(QWidget* parent, const QString& name, const QRectF& twips, const QColor& background)
    : QWidget(parent), m_background(background)
{
    setObjectName(name);
    setTwipRect(this, twips);
}

void Panel::setBorder(const QColor& colour)
{
    m_border = colour;
    update();
}

void Panel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    if (m_border.isValid()) {
        painter.setPen(m_border);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    painter.end();
    emit painted();
}

Outline::Outline(QWidget* parent, const QString& name, const QRectF& twips, const QColor& colour,
                 int thicknessPixels)
    : QWidget(parent), m_colour(colour), m_thickness(thicknessPixels)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setTwipRect(this, twips);
}

void Outline::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect r = rect();
    const int t = qMin(m_thickness, qMin(r.width(), r.height()) / 2 + 1);
    painter.fillRect(QRect(r.left(), r.top(), r.width(), t), m_colour);
    painter.fillRect(QRect(r.left(), r.bottom() - t + 1, r.width(), t), m_colour);
    painter.fillRect(QRect(r.left(), r.top(), t, r.height()), m_colour);
    painter.fillRect(QRect(r.right() - t + 1, r.top(), t, r.height()), m_colour);
}

Picture::Picture(QWidget* parent, const QString& name, const QRectF& twips) : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setTwipRect(this, twips);
}

void Picture::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    update();
}

void Picture::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), m_picture);
}

namespace {

class ElidedLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        const QRect room = contentsRect();
        painter.drawText(room, int(alignment()),
                         fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
    }
};

} // namespace

QLabel* makeLabel(QWidget* parent, const QString& name, const QRectF& twips, const QString& text,
                  const TextLook& look)
{
    auto* label = look.elide ? new ElidedLabel(text, parent) : new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(screenFont(look.face, look.points, look.bold));
    const Qt::Alignment horizontal = look.align == Align::Centre  ? Qt::AlignHCenter
                                     : look.align == Align::Right ? Qt::AlignRight
                                                                  : Qt::AlignLeft;
    label->setAlignment(horizontal | Qt::AlignTop);
    label->setWordWrap(look.align == Align::Centre);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, look.colour);
    palette.setColor(QPalette::Window, look.background);
    label->setPalette(palette);
    label->setAutoFillBackground(look.background.alpha() > 0);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    setTwipRect(label, twips);
    return label;
}

QPixmap renderSvg(const QString& resource, QSize size, qreal ratio)
{
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&picture);
    // Into the layout's size: left to itself the renderer fills the screen pixels, which at a
    // ratio above 1 lie beyond the picture's own size.
    renderer.render(&painter, QRectF(QPointF(), size));
    return picture;
}
