#include "app/application.h"

#include "app/config.h"
#include "app/mainwindow.h"
#include "platform/filesystem.h"
#include "platform/mpvvideosurface.h"
#include "playback/keepawake.h"
#include "playback/mpris.h"

#include <QGuiApplication>

namespace {

// Platforms without a screen (tests, benchmarks) cannot draw OpenGL.
bool canDrawVideo()
{
    const QString platform = QGuiApplication::platformName();
    return platform != u"offscreen" && platform != u"minimal";
}

} // namespace

Sofavio::Sofavio(const QString& executableFolder)
    : m_programFolder(programFolder(executableFolder)),
      m_player(m_drives,
               MpvSettings{canDrawVideo() ? QStringLiteral("libmpv") : QStringLiteral("null"),
                           QString(), BuildPath(m_programFolder, QStringLiteral("mpv.conf"))})
{
    Services services{m_player, m_drives, m_launcher, m_files};
    if (canDrawVideo()) {
        services.videoSurface = [this](QWidget* parent) {
            return videoSurfaceWidget(m_player.handle(), parent);
        };
    }
    m_window = std::make_unique<MainWindow>(services, m_programFolder);
    keepAwakeWhilePlaying(m_player, m_wakeHolds);
    // Without a session bus the program simply has no desktop media controls.
    (new MprisService(*m_window))->publish();
}

Sofavio::~Sofavio() = default;
