// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/importscreen.h"

#include "form/elements.h"
#include "form/screengeometry.h"
#include "form/twips.h"

#include <QListWidget>

ImportScreen buildImportScreen(QWidget* window)
{
    ImportScreen screen;
    screen.picCopiar =
        new Panel(window, QStringLiteral("picCopiar"), designRect::picCopiar, kPanelGrey);
    screen.picCopiar->hide();
    QWidget* parent = screen.picCopiar;

    // Made bottom of the stack first.
    screen.Shape8 =
        new Outline(parent, QStringLiteral("Shape8"), QRectF(4920, 3480, 1335, 375), Qt::red, 1);
    screen.Shape7 =
        new Outline(parent, QStringLiteral("Shape7"), QRectF(2280, 3480, 855, 375), Qt::red, 1);
    struct Caption {
        QRectF twips;
        const char16_t* text;
        QColor colour;
    };
    const std::array<Caption, 4> captions{{
        {QRectF(2280, 3480, 855, 375), u"OK", Qt::red},
        {QRectF(3240, 3480, 855, 375), u"SÍ", Qt::white},
        {QRectF(4920, 3480, 1335, 375), u"CANCEL", Qt::red},
        {QRectF(6360, 3480, 855, 375), u"NO", QColor(224, 224, 224)},
    }};
    for (std::size_t i = captions.size(); i-- > 0;) {
        screen.Label2[i] =
            makeLabel(parent, QStringLiteral("Label2_%1").arg(i), captions[i].twips,
                      QString::fromUtf16(captions[i].text),
                      TextLook{Face::Sans, 14.25, captions[i].colour, Align::Centre});
    }
    screen.Label1 = makeLabel(parent, QStringLiteral("Label1"), QRectF(1440, 360, 6855, 735),
                              QStringLiteral("¿ QUÉ DESEAS IMPORTAR ?"),
                              TextLook{Face::Sans, 24, Qt::white, Align::Centre, true});

    screen.List1 = new QListWidget(parent);
    screen.List1->setObjectName(QStringLiteral("List1"));
    screen.List1->addItems(
        {QStringLiteral("Vídeos"), QStringLiteral("Música"), QStringLiteral("Imágenes")});
    screen.List1->setFont(screenFont(Face::Sans, 21.75));
    QPalette colours = screen.List1->palette();
    colours.setColor(QPalette::Base, Qt::black);
    colours.setColor(QPalette::Text, QColor(128, 255, 128));
    screen.List1->setPalette(colours);
    setTwipRect(screen.List1, QRectF(1680, 1200, 6375, 2010));

    screen.PicBuscando =
        new Panel(parent, QStringLiteral("PicBuscando"), QRectF(120, 120, 8415, 4095), kPanelGrey);
    screen.PicBuscando->hide();
    screen.Label4 =
        makeLabel(screen.PicBuscando, QStringLiteral("Label4"), QRectF(840, 840, 6855, 1815),
                  QStringLiteral("BUSCANDO LOS ARCHIVOS REQUERIDOS, UN MOMENTO POR FAVOR ..."),
                  TextLook{Face::Serif, 24, Qt::white, Align::Centre});
    return screen;
}
