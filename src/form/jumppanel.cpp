// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/jumppanel.h"

#include "form/elements.h"
#include "form/screengeometry.h"
#include "form/twips.h"

#include <QProgressBar>
#include <cmath>

void JumpBar::setMaximum(float seconds)
{
    if (!(seconds > 0) || !std::isfinite(seconds))
        return;
    maximum = seconds;
    if (value > maximum)
        value = maximum;
    pBar->setValue(int(std::lround(1000.0 * value / maximum)));
}

void JumpBar::setValue(float seconds)
{
    if (!(seconds >= 0 && seconds <= maximum))
        return;
    value = seconds;
    pBar->setValue(int(std::lround(1000.0 * value / maximum)));
}

JumpPanel buildJumpPanel(QWidget* window)
{
    JumpPanel panel;
    panel.PicSaltar =
        new Panel(window, QStringLiteral("PicSaltar"), designRect::PicSaltar, kPanelGrey);
    panel.PicSaltar->hide();
    QWidget* parent = panel.PicSaltar;

    const TextLook big{Face::Serif, 27.75, Qt::white, Align::Centre};
    const TextLook hint{Face::Serif, 15.75, Qt::white};
    // Made bottom of the stack first.
    panel.Shape5 =
        new Outline(parent, QStringLiteral("Shape5"), QRectF(600, 1920, 1815, 735), Qt::red, 3);
    panel.Label6 = makeLabel(parent, QStringLiteral("Label6"), QRectF(1680, 3000, 2175, 375),
                             QStringLiteral("Cancelar Acción"), hint);
    panel.Shape6 =
        new Outline(parent, QStringLiteral("Shape6"), QRectF(720, 3000, 735, 375), Qt::white, 1);
    panel.Label5 = makeLabel(parent, QStringLiteral("Label5"), QRectF(840, 3000, 615, 375),
                             QStringLiteral("Esc"), hint);
    const std::array<const char16_t*, 3> choices{u"Más", u"Menos", u"OK"};
    for (std::size_t i = 0; i < choices.size(); ++i) {
        panel.LblSaltar[i] = makeLabel(parent, QStringLiteral("LblSaltar%1").arg(i),
                                       QRectF(600 + 1920.0 * double(i), 1920, 1815, 735),
                                       QString::fromUtf16(choices[i]), big);
    }
    panel.Label3 = makeLabel(parent, QStringLiteral("Label3"), QRectF(0, 240, 6735, 735),
                             QStringLiteral("Saltar a la Posición:"), big);

    auto* bar = new QProgressBar(parent);
    bar->setObjectName(QStringLiteral("pBar"));
    bar->setRange(0, 1000); // thousandths of the bar's length
    bar->setValue(0);
    bar->setTextVisible(false);
    setTwipRect(bar, QRectF(480, 1080, 5895, 615));
    panel.bar.pBar = bar;
    return panel;
}
