#include "keys/controlpanel.h"

#include "app/elements.h"
#include "app/mainwindow.h"
#include "app/screengeometry.h"
#include "app/twips.h"
#include "keys/jumppanel.h"
#include "platform/filesystem.h"
#include "platform/mediaplayer.h"
#include "playback/playerview.h"

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

// Opens the song `TrackIndex` of the playing song's folder. False when there is none.
bool playTrack(MainWindow& window)
{
    const FileList& folder = window.playback.File2;
    const int index = window.state.TrackIndex;
    if (index < 0 || index >= folder.entries.size())
        return false;
    MediaPlayer& player = window.services().player;
    player.setURL(BuildPath(folder.path, folder.entries.at(index)));
    player.play();
    return true;
}

// PREV and NEXT through the songs of the folder: false at either end, where nothing opens.
bool stepTrack(MainWindow& window, int step)
{
    int& index = window.state.TrackIndex;
    const int last = int(window.playback.File2.entries.size()) - 1;
    index += step;
    if (index < 0 || index > last) {
        index = index < 0 ? 0 : last;
        return false;
    }
    playTrack(window);
    return true;
}

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

namespace {

bool playingVideo(const MediaPlayer& player)
{
    const auto media = player.currentMedia();
    return media && media->mediaType == u"video";
}

} // namespace

bool stepForward(MainWindow& window)
{
    MediaPlayer& player = window.services().player;
    if (!playingVideo(player))
        return stepTrack(window, +1);
    const auto position = player.currentPosition();
    if (position && *position + 10 < player.currentMedia()->duration)
        player.setCurrentPosition(*position + 10);
    return true;
}

bool stepBack(MainWindow& window)
{
    MediaPlayer& player = window.services().player;
    if (!playingVideo(player))
        return stepTrack(window, -1);
    const float step = window.jumpPanel.bar.maximum / 10;
    const auto position = player.currentPosition();
    if (position && *position - step > 0)
        player.setCurrentPosition(*position - step);
    return true;
}

bool RunControlButton(MainWindow& window)
{
    MediaPlayer& player = window.services().player;
    window.controlPanel.Timer2->stop();

    bool endsKeys = false;
    switch (framedButton(window.controlPanel)) {
    case Play: {
        const QSizeF screen = screenTwips(&window);
        setTwipWidth(window.playerView.PicMediaPlayer, screen.width());
        setTwipHeight(window.playerView.PicMediaPlayer, screen.height());
        player.play();
        break;
    }
    case Pause:
        player.pause();
        break;
    case Stop:
        window.state.StoppedByUser = true;
        player.stop();
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
