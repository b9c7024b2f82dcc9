#include "app/application.h"

#include "app/config.h"
#include "app/mainwindow.h"
#include "platform/filesystem.h"

Sofavio::Sofavio(const QString& executableFolder)
    : m_programFolder(programFolder(executableFolder)),
      m_player(m_drives, MpvSettings{QStringLiteral("null"), QString(),
                                     BuildPath(m_programFolder, QStringLiteral("mpv.conf"))}),
      m_window(std::make_unique<MainWindow>(Services{m_player, m_drives, m_launcher},
                                            m_programFolder))
{
}

Sofavio::~Sofavio() = default;
