// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/udisksdrives.h"

#include "platform/filesystem.h"

#include "platform/logging.h"
#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QEventLoop>
#include <algorithm>

namespace {

using Interfaces = QMap<QString, QVariantMap>;
using ManagedObjects = QMap<QDBusObjectPath, Interfaces>;

const QString kService = QStringLiteral("org.freedesktop.UDisks2");
const QString kBlock = QStringLiteral("org.freedesktop.UDisks2.Block");
const QString kDrive = QStringLiteral("org.freedesktop.UDisks2.Drive");
const QString kFilesystem = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
constexpr int kListTimeoutMs = 2000;
constexpr int kMountTimeoutMs = 60000; // a disc spins up, and a scratched one is read slowly

// UDisks2 gives device names and mount points as NUL-terminated bytes.
QByteArray withoutNul(QByteArray bytes)
{
    if (bytes.endsWith('\0'))
        bytes.chop(1);
    return bytes;
}

bool isOptical(const QVariantMap& drive)
{
    const QStringList media = drive.value(QStringLiteral("MediaCompatibility")).toStringList();
    return std::any_of(media.begin(), media.end(),
                       [](const QString& kind) { return kind.startsWith(u"optical"); });
}

QString spanishMountProblem(const QDBusError& error)
{
    if (error.name().startsWith(QStringLiteral("org.freedesktop.UDisks2.Error.NotAuthorized")))
        return QStringLiteral("no hay permiso para abrir el disco en esta sesión");
    if (error.type() == QDBusError::NoReply || error.type() == QDBusError::Timeout)
        return QStringLiteral("el disco no responde");
    return QStringLiteral("el disco no se pudo abrir");
}

} // namespace

Q_DECLARE_METATYPE(Interfaces)
Q_DECLARE_METATYPE(ManagedObjects)

UDisksDrives::UDisksDrives(const Drives& fallback, QDBusConnection bus)
    : m_fallback(fallback), m_bus(std::move(bus))
{
    qDBusRegisterMetaType<Interfaces>();
    qDBusRegisterMetaType<ManagedObjects>();
}

std::optional<std::vector<UDisksDrives::Disc>> UDisksDrives::discs() const
{
    if (!m_bus.isConnected())
        return std::nullopt;
    const QDBusMessage call = QDBusMessage::createMethodCall(
        kService, QStringLiteral("/org/freedesktop/UDisks2"),
        QStringLiteral("org.freedesktop.DBus.ObjectManager"), QStringLiteral("GetManagedObjects"));
    const QDBusReply<ManagedObjects> reply = m_bus.call(call, QDBus::Block, kListTimeoutMs);
    if (!reply.isValid())
        return std::nullopt;
    const ManagedObjects& objects = reply.value();

    // Each optical drive by its device (/dev/sr0), with its disc's block device.
    struct Found {
        QString device;
        Disc disc;
    };
    std::vector<Found> found;
    for (auto object = objects.begin(); object != objects.end(); ++object) {
        const QVariantMap block = object->value(kBlock);
        const auto drive =
            objects.value(block.value(QStringLiteral("Drive")).value<QDBusObjectPath>());
        if (block.isEmpty() || !isOptical(drive.value(kDrive)))
            continue;
        Disc disc{OpticalDrive{}, object.key().path()};
        const bool hasMedia = drive.value(kDrive).value(QStringLiteral("MediaAvailable")).toBool();
        if (hasMedia && object->contains(kFilesystem)) {
            disc.drive.volumeName = block.value(QStringLiteral("IdLabel")).toString();
            const auto mountPoints = qdbus_cast<QByteArrayList>(
                object->value(kFilesystem).value(QStringLiteral("MountPoints")));
            disc.drive.root =
                mountPoints.isEmpty() ? QString() : QFile::decodeName(withoutNul(mountPoints[0]));
            disc.drive.ready = !disc.drive.root.isEmpty();
            disc.drive.mountable = !disc.drive.ready;
        }
        found.push_back(
            {QFile::decodeName(withoutNul(block.value(QStringLiteral("Device")).toByteArray())),
             disc});
    }
    QStringList devices;
    for (const Found& each : found)
        devices << each.device;
    sortInFileOrder(devices); // sr2 before sr10

    std::vector<Disc> discs;
    for (const QString& device : std::as_const(devices)) {
        const QChar letter(char16_t(u'D' + discs.size()));
        if (letter > u'Z')
            break;
        const auto each = std::find_if(found.begin(), found.end(),
                                       [&](const Found& f) { return f.device == device; });
        discs.push_back(each->disc);
        discs.back().drive.letter = letter;
    }
    return discs;
}

std::optional<std::vector<OpticalDrive>> UDisksDrives::opticalDrives() const
{
    const auto found = discs();
    if (!found)
        return m_fallback.opticalDrives();
    std::vector<OpticalDrive> drives;
    for (const Disc& disc : *found)
        drives.push_back(disc.drive);
    return drives;
}

std::optional<OpticalDrive> UDisksDrives::readyDrive(QChar letter) const
{
    const auto found = discs();
    if (!found)
        return m_fallback.readyDrive(letter);
    const auto disc = std::find_if(found->begin(), found->end(),
                                   [&](const Disc& each) { return each.drive.letter == letter; });
    if (disc == found->end())
        return std::nullopt;
    OpticalDrive drive = disc->drive;
    if (drive.mountable)
        mount(disc->block, drive);
    return drive;
}

// Mounts the file system of BLOCK, making DRIVE ready at its mount point, or telling why not.
// The screen goes on being drawn while the disc spins up; keys wait until it is done.
void UDisksDrives::mount(const QString& block, OpticalDrive& drive) const
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, block, kFilesystem, QStringLiteral("Mount"));
    // A session without a password agent cannot be asked for one: refuse rather than wait.
    call << QVariantMap{{QStringLiteral("auth.no_user_interaction"), true}};
    QDBusPendingCallWatcher watcher(m_bus.asyncCall(call, kMountTimeoutMs));
    QEventLoop loop;
    QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
    if (!watcher.isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    const QDBusPendingReply<QString> reply = watcher;
    if (reply.isError()) {
        qCWarning(lcPlatform, "mounting %s: %s", qPrintable(block),
                  qPrintable(reply.error().message()));
        drive.problem = spanishMountProblem(reply.error());
        return;
    }
    drive.root = reply.value();
    drive.ready = true;
    drive.mountable = false;
}
