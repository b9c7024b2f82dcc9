// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

// The building blocks every screen is made of, placed in twips.

// The grey of every panel that stands over the list: questions, progress, the import and jump
// panels.
inline const QColor kPanelGrey(64, 64, 64);

enum class Face { Sans, Serif }; // Arial and Times New Roman, by their metric twins
QFont screenFont(Face face, double points, bool bold = false);

// A panel: a filled rectangle that holds other elements.
class Panel : public QWidget {
    Q_OBJECT
public:
    Panel(QWidget* parent, const QString& name, const QRectF& twips, const QColor& background);

    // A thin single-line border, as the now-playing panel has.
    void setBorder(const QColor& colour);

signals:
    void painted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_background;
    QColor m_border;
};

// The outline of a rectangle, drawn inside its bounds; it lets clicks and mouse moves through.
class Outline : public QWidget {
    Q_OBJECT
public:
    Outline(QWidget* parent, const QString& name, const QRectF& twips, const QColor& colour,
            int thicknessPixels);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
    int m_thickness;
};

// A picture drawn stretched to its rectangle; with no picture it shows nothing.
class Picture : public QWidget {
    Q_OBJECT
public:
    Picture(QWidget* parent, const QString& name, const QRectF& twips);

    void setPicture(const QPixmap& picture);
    void clear() { setPicture(QPixmap()); }
    bool hasPicture() const { return !m_picture.isNull(); }
    const QPixmap& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};

enum class Align { Left, Centre, Right };

struct TextLook {
    Face face;
    double points;
    QColor colour;
    Align align = Align::Left;
    bool bold = false;
    QColor background = Qt::transparent; // opaque labels give a colour
    bool elide = false; // one line, ended in "…" where it is too long; text() keeps it whole
};

// A picture of the resources, `size` layout pixels big, drawn at `ratio` screen pixels to
// each of them so a big screen shows it sharp.
QPixmap renderSvg(const QString& resource, QSize size, qreal ratio);

QLabel* makeLabel(QWidget* parent, const QString& name, const QRectF& twips, const QString& text,
                  const TextLook& look);
