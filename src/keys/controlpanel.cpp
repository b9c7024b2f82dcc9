#include "keys/controlpanel.h"

#include "app/elements.h"
#include "app/mainwindow.h"
#include "app/screengeometry.h"
#include "app/twips.h"
#include "keys/jumppanel.h"
#include "playback/playerview.h"
#include "playback/transport.h"

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
constexpr qint16 kLastButton = 5;
constexpr double kFrameOffset = 120; // the frame stands this far left of its button

enum Button { Play, Pause, Stop, Prev, Next, Select };

// Which button the frame stands around, read from where it is.
int framedButton(const ControlPanel& panel)
{
    const double frameLeft = twipRect(panel.Shape4).left();
    for (int button = 0; button <= kLastButton; ++button) {
        if (twipRect(panel.LblControl[std::size_t(button)]).left() - kFrameOffset == frameLeft)
            return button;
    }
    return -1;
}

} // namespace

ControlPanel buildControlPanel(QWidget* window)
{
    ControlPanel panel;
    panel.PicControls = new Panel(window, QStringLiteral("PicControls"), designRect::PicControls,
                                  Qt::black);
    panel.PicControls->hide();

    panel.Timer2 = new QTimer(panel.PicControls);
    panel.Timer2->setObjectName(QStringLiteral("Timer2"));
    panel.Timer2->setInterval(5000);
    panel.Timer2->setSingleShot(true);

    // Made bottom of the stack first.
    const TextLook marker{Face::Sans, 8, Qt::white, Align::Left, false, kPanelGrey};
    for (std::size_t i = 0; i < panel.LblControl.size(); ++i) {
        panel.LblControl[i] = makeLabel(panel.PicControls, QStringLiteral("LblControl%1").arg(i),
                                        QRectF(kButtons[i].left, 240, 1335, 495), QString(), marker);
    }
    panel.Shape4 = new Outline(panel.PicControls, QStringLiteral("Shape4"),
                               QRectF(240, 120, 1575, 720), Qt::red, 3);
    panel.Shape3 = new Outline(panel.PicControls, QStringLiteral("Shape3"), designRect::Shape3,
                               Qt::white, 8);
    for (const ButtonPicture& button : kButtons) {
        const QRectF twips(button.left, kButtonTop, button.width, kButtonHeight);
        auto* picture = new Picture(panel.PicControls, QStringLiteral("ImgBut%1").arg(button.index),
                                    twips);
        picture->setPicture(renderSvg(QString::fromLatin1(button.resource), picture->size()));
        panel.ImgBut[std::size_t(button.index)] = picture;
    }
    return panel;
}

void MoveControlHighlight(MainWindow& window, int step)
{
    ControlPanel& panel = window.controlPanel;
    panel.PicControls->show();
    panel.Timer2->stop();
    qint16& index = window.state.ControlIndex;
    index = qint16(index + step);
    if (step > 0 && index > kLastButton)
        index = 0;
    if (step < 0 && index < 0)
        index = kLastButton;
    setTwipLeft(panel.Shape4, twipRect(panel.LblControl[std::size_t(index)]).left() - kFrameOffset);
}

bool RunControlButton(MainWindow& window)
{
    window.controlPanel.Timer2->stop();

    bool endsKeys = false;
    switch (framedButton(window.controlPanel)) {
    case Play: {
        const QSizeF screen = screenTwips(&window);
        setTwipWidth(window.playerView.PicMediaPlayer, screen.width());
        setTwipHeight(window.playerView.PicMediaPlayer, screen.height());
        resume(window);
        break;
    }
    case Pause:
        pause(window);
        break;
    case Stop:
        stopByUser(window);
        break;
    case Prev:
        endsKeys = !stepBack(window);
        break;
    case Next:
        endsKeys = !stepForward(window);
        break;
    case Select:
        OpenJumpPanel(window);
        endsKeys = true;
        break;
    default:
        break;
    }
    if (!endsKeys) {
        window.controlPanel.PicControls->hide();
        giveThePlayerTheScreen(window); // the panel no longer covers the foot of the picture
    }
    return endsKeys;
}
