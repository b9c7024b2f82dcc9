// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/controlpanel.h"

#include "form/elements.h"
#include "form/screengeometry.h"
#include "form/twips.h"

#include <QTimer>

namespace {

struct ButtonPicture {
    int index;
    double left;
    double width;
    const char* resource;
};

// Left to right; the designed indexes are not in screen order. The position labels lie
// under them, at the same left edges.
constexpr std::array<ButtonPicture, 6> kButtons{{
    {0, 360, 1080, ":/buttons/play.svg"},
    {1, 2040, 1440, ":/buttons/pause.svg"},
    {2, 3600, 1440, ":/buttons/stop.svg"},
    {5, 5160, 1440, ":/buttons/prev.svg"},
    {4, 6720, 1440, ":/buttons/next.svg"},
    {3, 8280, 1440, ":/buttons/select.svg"},
}};

constexpr double kButtonTop = 240;
constexpr double kButtonHeight = 480;

} // namespace

ControlPanel buildControlPanel(QWidget* window)
{
    ControlPanel panel;
    panel.PicControls =
        new Panel(window, QStringLiteral("PicControls"), designRect::PicControls, Qt::black);
    panel.PicControls->hide();

    panel.Timer2 = new QTimer(panel.PicControls);
    panel.Timer2->setObjectName(QStringLiteral("Timer2"));
    panel.Timer2->setInterval(5000);
    panel.Timer2->setSingleShot(true);

    // Made bottom of the stack first.
    const TextLook marker{Face::Sans, 8, Qt::white, Align::Left, false, kPanelGrey};
    for (std::size_t i = 0; i < panel.LblControl.size(); ++i) {
        panel.LblControl[i] =
            makeLabel(panel.PicControls, QStringLiteral("LblControl%1").arg(i),
                      QRectF(kButtons[i].left, 240, 1335, 495), QString(), marker);
    }
    panel.Shape4 = new Outline(panel.PicControls, QStringLiteral("Shape4"),
                               QRectF(240, 120, 1575, 720), Qt::red, 3);
    panel.Shape3 =
        new Outline(panel.PicControls, QStringLiteral("Shape3"), designRect::Shape3, Qt::white, 8);
    for (const ButtonPicture& button : kButtons) {
        const QRectF twips(button.left, kButtonTop, button.width, kButtonHeight);
        auto* picture =
            new Picture(panel.PicControls, QStringLiteral("ImgBut%1").arg(button.index), twips);
        picture->setPicture(renderSvg(QString::fromLatin1(button.resource), picture->size(),
                                      picture->devicePixelRatioF()));
        panel.ImgBut[std::size_t(button.index)] = picture;
    }
    return panel;
}
