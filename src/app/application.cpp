// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"

#include "app/config.h"
#include "app/mainwindow.h"
#include "media/keepawake.h"
#include "media/mpris.h"
#include "platform/filesystem.h"
#include "platform/mpvvideosurface.h"

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
    Playback& playback = m_window->playback;
    keepAwakeWhilePlaying(playback, m_wakeHolds);

    m_mpris = std::make_unique<MprisService>(playback);
    QObject::connect(m_mpris.get(), &MprisService::raiseRequested, m_window.get(), [this] {
        m_window->raise();
        m_window->activateWindow();
    });
    QObject::connect(m_mpris.get(), &MprisService::quitRequested, m_window.get(), &QWidget::close);
    // Without a session bus the program simply has no desktop media controls.
    m_mpris->publish();
}

Sofavio::~Sofavio() = default;
