// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linuxdrives.h"

#include "platform/filesystem.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr qint64 kIsoVolumeDescriptorOffset = 16 * 2048;

// Replaces each escape (a backslash, the marker, then `digits` digits in `base`) by its byte:
// /proc/self/mounts writes a space as \040, udev writes one as \x20.
QString unescape(const QByteArray& text, QByteArrayView marker, int digits, int base)
{
    QByteArray out;
    const qsizetype escapeLength = 1 + marker.size() + digits;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + escapeLength <= text.size() &&
            text.mid(i + 1, marker.size()) == marker) {
            bool ok = false;
            const int code = text.mid(i + 1 + marker.size(), digits).toInt(&ok, base);
            if (ok) {
                out += char(code);
                i += escapeLength - 1;
                continue;
            }
        }
        out += text[i];
    }
    return QString::fromUtf8(out);
}

QString unescapeMountField(const QByteArray& field)
{
    return unescape(field, "", 3, 8);
}

QString unescapeUdevLabel(const QByteArray& value)
{
    return unescape(value, "x", 2, 16);
}

QByteArray readSmallFile(const QString& path, qint64 limit = 1 << 20)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(limit);
}

} // namespace

LinuxDrives::LinuxDrives(QString systemRoot) : m_root(std::move(systemRoot)) {}

QString LinuxDrives::path(const QString& absolute) const
{
    return BuildPath(m_root, absolute);
}

std::optional<std::vector<OpticalDrive>> LinuxDrives::opticalDrives() const
{
    QFile info(path(QStringLiteral("/proc/sys/dev/cdrom/info")));
    if (!info.exists())
        return std::vector<OpticalDrive>{}; // no optical drive driver loaded: no drives
    if (!info.open(QIODevice::ReadOnly))
        return std::nullopt;

    QStringList names;
    for (const QByteArray& line : info.readAll().split('\n')) {
        if (!line.startsWith("drive name:"))
            continue;
        for (const QByteArray& name : line.mid(line.indexOf(':') + 1).simplified().split(' ')) {
            if (!name.isEmpty())
                names << QString::fromUtf8(name);
        }
    }
    // The kernel lists the newest drive first; letters go in device order.
    sortInFileOrder(names);

    std::vector<OpticalDrive> drives;
    for (const QString& name : std::as_const(names)) {
        const QChar letter(char16_t(u'D' + drives.size()));
        if (letter > u'Z')
            break;
        OpticalDrive drive{letter, false, {}, {}};
        drive.root = mountPointOf(QStringLiteral("/dev/") + name);
        drive.ready = !drive.root.isEmpty();
        if (drive.ready)
            drive.volumeName = labelOf(name);
        drives.push_back(drive);
    }
    return drives;
}

QString LinuxDrives::mountPointOf(const QString& device) const
{
    const QString canonicalDevice = QFileInfo(path(device)).canonicalFilePath();
    for (const QByteArray& line :
         readSmallFile(path(QStringLiteral("/proc/self/mounts"))).split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 2)
            continue;
        const QString source = unescapeMountField(fields[0]);
        if (!source.startsWith(u'/'))
            continue;
        const bool sameDevice =
            source == device || (!canonicalDevice.isEmpty() &&
                                 QFileInfo(path(source)).canonicalFilePath() == canonicalDevice);
        if (sameDevice)
            return unescapeMountField(fields[1]);
    }
    return {};
}

QString LinuxDrives::labelOf(const QString& deviceName) const
{
    const QByteArray majorMinor =
        readSmallFile(path(QStringLiteral("/sys/block/%1/dev").arg(deviceName)), 64).trimmed();
    if (!majorMinor.isEmpty()) {
        const QByteArray udev = readSmallFile(
            path(QStringLiteral("/run/udev/data/b%1").arg(QString::fromLatin1(majorMinor))));
        for (const QByteArray& line : udev.split('\n')) {
            if (line.startsWith("E:ID_FS_LABEL_ENC="))
                return unescapeUdevLabel(line.mid(18));
        }
        for (const QByteArray& line : udev.split('\n')) {
            if (line.startsWith("E:ID_FS_LABEL="))
                return QString::fromUtf8(line.mid(14));
        }
    }

    // Without udev (containers, minimal systems) the disc names itself in its primary
    // volume descriptor: type 1, "CD001", then the volume identifier at byte 40.
    QFile disc(path(QStringLiteral("/dev/") + deviceName));
    if (!disc.open(QIODevice::ReadOnly) || !disc.seek(kIsoVolumeDescriptorOffset))
        return {};
    const QByteArray descriptor = disc.read(72);
    if (descriptor.size() < 72 || descriptor[0] != 1 || descriptor.mid(1, 5) != "CD001")
        return {};
    return QString::fromLatin1(descriptor.mid(40, 32)).trimmed();
}
