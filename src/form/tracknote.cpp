// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/tracknote.h"

#include "form/elements.h"
#include "form/twips.h"

#include <QPainter>
#include <QTimer>

namespace {

constexpr double kNoteWidth = 7200;
constexpr double kNoteHeight = 900;
// Between the note and the foot of the screen: clear of the subtitles it may announce.
constexpr double kNoteFootMargin = 1800;
constexpr int kShownMs = 3000;

} // namespace

TrackNote::TrackNote(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                         Qt::WindowDoesNotAcceptFocus),
      m_owner(owner)
{
    setObjectName(QStringLiteral("TrackNote"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(toPixels(QSizeF(kNoteWidth, kNoteHeight)));
    m_text = makeLabel(this, QStringLiteral("TrackNoteText"),
                       QRectF(150, 150, kNoteWidth - 300, kNoteHeight - 300), QString(),
                       TextLook{Face::Serif, 24, Qt::white, Align::Centre});
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    m_timer->setInterval(kShownMs);
    connect(m_timer, &QTimer::timeout, this, &QWidget::hide);
}

void TrackNote::showText(const QString& text)
{
    m_text->setText(text);
    const QSize owner = m_owner->size();
    const int margin = toPixels(QSizeF(0, kNoteFootMargin)).height();
    move(m_owner->mapToGlobal(
        QPoint((owner.width() - width()) / 2, owner.height() - height() - margin)));
    show();
    raise();
    m_timer->start();
}

void TrackNote::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), kPanelGrey);
}
