// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/udisksdrives.h"
#include "support/files.h"
#include "support/menudriver.h"
#include "support/testwindow.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using Interfaces = QMap<QString, QVariantMap>;
using ManagedObjects = QMap<QDBusObjectPath, Interfaces>;
Q_DECLARE_METATYPE(Interfaces)
Q_DECLARE_METATYPE(ManagedObjects)

namespace {

const QString kRoot = QStringLiteral("/org/freedesktop/UDisks2");

// The disc in a drive, as the fake service describes it; one without a label is an audio CD.
// Every field has a default, so a disc names only what it has.
struct FakeDisc {
    QString label{};
    QString mountPoint{};     // empty: not mounted
    QString mountsAt{};       // where Mount puts it
    QString refusal{};        // the D-Bus error Mount answers with, if any
    QVariantMap mountAsked{}; // the options of the last Mount
};

// UDisks2 over the fake drives, by device name (sr0, ...; sda1 is a hard disk): its object
// manager lists them, and a block device's file system mounts its disc, or refuses as told.
class FakeUDisks : public QDBusVirtualObject {
public:
    std::map<QString, FakeDisc> discs;

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& call, const QDBusConnection& bus) override
    {
        if (call.member() == u"GetManagedObjects")
            return bus.send(call.createReply(QVariant::fromValue(managedObjects())));
        FakeDisc& disc = discs[call.path().section(u'/', -1)];
        disc.mountAsked = qdbus_cast<QVariantMap>(call.arguments().value(0));
        if (!disc.refusal.isEmpty())
            return bus.send(call.createErrorReply(disc.refusal, QStringLiteral("refused")));
        disc.mountPoint = disc.mountsAt;
        return bus.send(call.createReply(disc.mountPoint));
    }

private:
    ManagedObjects managedObjects() const
    {
        ManagedObjects objects;
        for (const auto& [device, disc] : discs) {
            const QDBusObjectPath drive(kRoot + QStringLiteral("/drives/") + device);
            objects[drive][QStringLiteral("org.freedesktop.UDisks2.Drive")] = {
                {QStringLiteral("MediaCompatibility"),
                 device.startsWith(u"sr") ? QStringList{"optical_cd", "optical_dvd"}
                                          : QStringList()},
                {QStringLiteral("MediaAvailable"), true}};
            Interfaces& block =
                objects[QDBusObjectPath(kRoot + QStringLiteral("/block_devices/") + device)];
            block[QStringLiteral("org.freedesktop.UDisks2.Block")] = {
                {QStringLiteral("Device"), QByteArray("/dev/" + device.toLatin1() + '\0')},
                {QStringLiteral("Drive"), QVariant::fromValue(drive)},
                {QStringLiteral("IdLabel"), disc.label}};
            if (!disc.label.isEmpty()) {
                QByteArrayList mountPoints;
                if (!disc.mountPoint.isEmpty())
                    mountPoints << QFile::encodeName(disc.mountPoint) + '\0';
                block[QStringLiteral("org.freedesktop.UDisks2.Filesystem")] = {
                    {QStringLiteral("MountPoints"), QVariant::fromValue(mountPoints)}};
            }
        }
        return objects;
    }
};

QStringList describe(const std::optional<std::vector<OpticalDrive>>& drives)
{
    QStringList described;
    for (const OpticalDrive& drive : drives.value_or(std::vector<OpticalDrive>{}))
        described << QStringLiteral("%1 ready=%2 mountable=%3 [%4] %5 %6")
                         .arg(drive.letter)
                         .arg(drive.ready)
                         .arg(drive.mountable)
                         .arg(drive.volumeName, drive.root, drive.problem);
    return described;
}

} // namespace

// Runs on a session bus of its own (dbus-run-session), which stands for the system bus.
class TestUDisksDrives : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void listsTheOpticalDrivesThenTheKernelsWhenUDisksGoes();
    void choosingADiscMountsItOrTellsWhyNot();
    void cleanupTestCase();

private:
    QThread m_serviceThread;
    QDBusConnection m_service = QDBusConnection(QString());
    FakeUDisks m_udisks;
    FakeDrives m_kernel;
    QTemporaryDir m_media;
};

void TestUDisksDrives::initTestCase()
{
    qDBusRegisterMetaType<Interfaces>();
    qDBusRegisterMetaType<ManagedObjects>();
    qDBusRegisterMetaType<QByteArrayList>(); // mount points, as "aay"
    // The program waits for UDisks2's answer without running its event loop: the fake
    // answers from a thread of its own.
    m_service = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "udisks");
    // Registered before it leaves for that thread, as registering a tree gives it a child.
    QVERIFY(m_service.registerVirtualObject(kRoot, &m_udisks, QDBusConnection::SubPath));
    m_serviceThread.start();
    m_udisks.moveToThread(&m_serviceThread);
    m_kernel.drives = {{u'D', true, "DEL NUCLEO", "/media/kernel"}};
    QVERIFY(writeFile(m_media.filePath("VACACIONES/Viaje.mpg"), "film"));
}

void TestUDisksDrives::init()
{
    m_udisks.discs = {
        {"sda1", {"SISTEMA", "/"}},
        {"sr0", {"FILMS", "/media/FILMS"}},
        {"sr1", {"VACACIONES", {}, m_media.filePath("VACACIONES")}},
        {"sr10", {"MUSICA", "/media/MUSICA"}}, // after sr2, in device order
        {"sr2", {}},                           // an audio CD
    };
    QVERIFY(m_service.registerService("org.freedesktop.UDisks2"));
}

void TestUDisksDrives::cleanupTestCase()
{
    m_serviceThread.quit();
    m_serviceThread.wait();
}

void TestUDisksDrives::listsTheOpticalDrivesThenTheKernelsWhenUDisksGoes()
{
    UDisksDrives drives(m_kernel, QDBusConnection::sessionBus());
    QCOMPARE(describe(drives.opticalDrives()),
             QStringList({
                 "D ready=1 mountable=0 [FILMS] /media/FILMS ",
                 "E ready=0 mountable=1 [VACACIONES]  ",
                 "F ready=0 mountable=0 []  ", // an audio CD has no file system
                 "G ready=1 mountable=0 [MUSICA] /media/MUSICA ",
             }));
    // Listing mounts nothing.
    QVERIFY(m_udisks.discs["sr1"].mountAsked.isEmpty());

    // The service goes while the main menu shows its drives.
    QVERIFY(m_service.unregisterService("org.freedesktop.UDisks2"));
    const QStringList kernels{"D ready=1 mountable=0 [DEL NUCLEO] /media/kernel "};
    QCOMPARE(describe(drives.opticalDrives()), kernels);
    QCOMPARE(describe(std::vector{*drives.readyDrive(u'D')}), kernels);
    // A machine with no system bus at all.
    QCOMPARE(describe(UDisksDrives(m_kernel, QDBusConnection("none")).opticalDrives()), kernels);
}

void TestUDisksDrives::choosingADiscMountsItOrTellsWhyNot()
{
    UDisksDrives drives(m_kernel, QDBusConnection::sessionBus());
    FakeDisc& disc = m_udisks.discs["sr1"];
    disc.refusal = "org.freedesktop.UDisks2.Error.NotAuthorizedCanObtain";
    QCOMPARE(
        describe(std::vector{*drives.readyDrive(u'E')}),
        {"E ready=0 mountable=1 [VACACIONES]  no hay permiso para abrir el disco en esta sesión"});
    disc.refusal = "org.freedesktop.UDisks2.Error.Failed";
    QCOMPARE(drives.readyDrive(u'E')->problem, QStringLiteral("el disco no se pudo abrir"));

    disc.refusal.clear();
    TestWindow t;
    MainWindow window(Services{t.player, drives, t.launcher, t.files}, t.programFolder.path());
    QVERIFY(chooseRow(window, "E: [VACACIONES]"));
    QCOMPARE(rowTexts(window).filter("Viaje"), QStringList({"Viaje.mpg"}));
    // No password can be asked for in a living-room session: refused rather than waited for.
    QCOMPARE(disc.mountAsked.value("auth.no_user_interaction"), QVariant(true));
}

QTEST_MAIN(TestUDisksDrives)
#include "tst_udisksdrives.moc"
