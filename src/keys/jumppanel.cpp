#include "keys/jumppanel.h"

#include "app/elements.h"
#include "app/mainwindow.h"
#include "app/screengeometry.h"
#include "app/twips.h"
#include "keys/windowkeys.h"
#include "platform/mediaplayer.h"

#include <QProgressBar>
#include <QTimer>
#include <cmath>

namespace {

constexpr qint16 kLastChoice = 2;
enum Choice { More, Less, Ok };

} // namespace

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
    panel.Shape5 = new Outline(parent, QStringLiteral("Shape5"), QRectF(600, 1920, 1815, 735),
                               Qt::red, 3);
    panel.Label6 = makeLabel(parent, QStringLiteral("Label6"), QRectF(1680, 3000, 2175, 375),
                             QStringLiteral("Cancelar Acción"), hint);
    panel.Shape6 = new Outline(parent, QStringLiteral("Shape6"), QRectF(720, 3000, 735, 375),
                               Qt::white, 1);
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

void OpenJumpPanel(MainWindow& window)
{
    JumpPanel& panel = window.jumpPanel;
    MediaPlayer& player = window.services().player;
    window.state.JumpIndex = 0;
    setTwipLeft(panel.Shape5, twipRect(panel.LblSaltar[0]).left());
    if (const auto media = player.currentMedia())
        panel.bar.setMaximum(float(media->duration));
    if (const auto position = player.currentPosition())
        panel.bar.setValue(float(*position));
    window.playerView.MediaPlayer->hide();
    panel.PicSaltar->raise();
    panel.PicSaltar->show();
    window.controlPanel.Timer2->stop();
}

void MoveJumpHighlight(MainWindow& window, int step)
{
    window.controlPanel.Timer2->stop();
    qint16& index = window.state.JumpIndex;
    index = qint16(index + step);
    if (index > kLastChoice)
        index = 0;
    if (index < 0)
        index = kLastChoice;
    setTwipLeft(window.jumpPanel.Shape5,
                twipRect(window.jumpPanel.LblSaltar[std::size_t(index)]).left());
}

void RunJumpChoice(MainWindow& window)
{
    JumpPanel& panel = window.jumpPanel;
    JumpBar& bar = panel.bar;
    const float step = bar.maximum / 10;
    const double frameLeft = twipRect(panel.Shape5).left();
    const auto framed = [&](Choice choice) {
        return twipRect(panel.LblSaltar[std::size_t(choice)]).left() == frameLeft;
    };
    if (framed(Less)) {
        window.controlPanel.Timer2->stop();
        if (bar.value - step > 0)
            bar.setValue(bar.value - step);
    } else if (framed(More)) {
        window.controlPanel.Timer2->stop();
        if (bar.value + step < bar.maximum)
            bar.setValue(bar.value + step);
    } else if (framed(Ok)) {
        window.services().player.setCurrentPosition(bar.value);
        CloseJumpPanel(window);
    }
}

void CloseJumpPanel(MainWindow& window)
{
    window.jumpPanel.PicSaltar->hide();
    window.playerView.MediaPlayer->show();
    Timer2_Timer(window);
}
