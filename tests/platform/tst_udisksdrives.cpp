#include "app/mainwindow.h"
#include "platform/udisksdrives.h"
#include "support/fakedrives.h"
#include "support/fakefileoperations.h"
#include "support/fakelauncher.h"
#include "support/fakeplayer.h"
#include "support/files.h"
#include "support/menudriver.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using Interfaces = QMap<QString, QVariantMap>;
using ManagedObjects = QMap<QDBusObjectPath, Interfaces>;
Q_DECLARE_METATYPE(Interfaces)
Q_DECLARE_METATYPE(ManagedObjects)

namespace {

const QString kRoot = QStringLiteral("/org/freedesktop/UDisks2");

// A drive and what is in it, as the fake service describes it.
struct FakeDisc {
    enum Kind { Data, Audio, HardDisk }; // all but the hard disk in an optical drive
    FakeDisc(Kind discKind = Data, QString discLabel = {}, QString mountedAt = {},
             QString mountedWhenAsked = {})
        : kind(discKind), label(std::move(discLabel)), mountPoint(std::move(mountedAt)),
          mountsAt(std::move(mountedWhenAsked))
    {
    }

    Kind kind;
    QString label;
    QString mountPoint;     // empty: not mounted
    QString mountsAt;       // where Mount puts it
    QString refusal;        // the D-Bus error Mount answers with, if any
    QVariantMap mountAsked; // the options of the last Mount
};

QString blockPath(const QString& device)
{
    return kRoot + QStringLiteral("/block_devices/") + device;
}

// A block device's file system: Mount mounts the fake disc, or refuses as told.
class FakeFilesystem : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.UDisks2.Filesystem")
public:
    explicit FakeFilesystem(FakeDisc& disc) : m_disc(disc) {}

public slots:
    QString Mount(const QVariantMap& options)
    {
        m_disc.mountAsked = options;
        if (!m_disc.refusal.isEmpty()) {
            sendErrorReply(m_disc.refusal, QStringLiteral("refused"));
            return {};
        }
        m_disc.mountPoint = m_disc.mountsAt;
        return m_disc.mountPoint;
    }

private:
    FakeDisc& m_disc;
};

// UDisks2's object manager over the fake drives, by device name (sr0, ...).
class FakeUDisks : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.DBus.ObjectManager")
public:
    std::map<QString, FakeDisc> discs;

public slots:
    ManagedObjects GetManagedObjects()
    {
        ManagedObjects objects;
        for (const auto& [device, disc] : discs) {
            const QDBusObjectPath drive(kRoot + QStringLiteral("/drives/") + device);
            objects[drive][QStringLiteral("org.freedesktop.UDisks2.Drive")] = {
                {QStringLiteral("MediaCompatibility"),
                 disc.kind == FakeDisc::HardDisk ? QStringList()
                                                 : QStringList{"optical_cd", "optical_dvd"}},
                {QStringLiteral("MediaAvailable"), true}};
            Interfaces& block = objects[QDBusObjectPath(blockPath(device))];
            block[QStringLiteral("org.freedesktop.UDisks2.Block")] = {
                {QStringLiteral("Device"), QByteArray("/dev/" + device.toLatin1() + '\0')},
                {QStringLiteral("Drive"), QVariant::fromValue(drive)},
                {QStringLiteral("IdLabel"), disc.label}};
            if (disc.kind != FakeDisc::Audio) {
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

QString describe(const OpticalDrive& drive)
{
    return QStringLiteral("%1 ready=%2 mountable=%3 [%4] %5 %6")
        .arg(drive.letter)
        .arg(drive.ready)
        .arg(drive.mountable)
        .arg(drive.volumeName, drive.root, drive.problem);
}

QStringList describe(const std::optional<std::vector<OpticalDrive>>& drives)
{
    QStringList described;
    for (const OpticalDrive& drive : drives.value_or(std::vector<OpticalDrive>{}))
        described << describe(drive);
    return described;
}

} // namespace

// Runs on a session bus of its own (dbus-run-session), which stands for the system bus.
class TestUDisksDrives : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void listsTheOpticalDrivesInDeviceOrder();
    void choosingAnUnmountedDiscMountsIt();
    void aDiscThatWillNotMountTellsWhy();
    void withoutUDisksTheKernelsDrivesAnswer();
    void cleanupTestCase();

private:
    QThread m_serviceThread;
    QDBusConnection m_service = QDBusConnection(QString());
    FakeUDisks m_udisks;
    std::vector<std::unique_ptr<FakeFilesystem>> m_filesystems;
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
    m_serviceThread.start();
    m_udisks.moveToThread(&m_serviceThread);
    m_service = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "udisks");
    QVERIFY(m_service.isConnected());
    m_kernel.drives = {{u'D', true, "DEL NUCLEO", "/media/kernel"}};
    QVERIFY(writeFile(m_media.filePath("VACACIONES/Viaje.mpg"), "film"));
}

void TestUDisksDrives::init()
{
    m_udisks.discs = {
        {"sda1", {FakeDisc::HardDisk, "SISTEMA", "/"}},
        {"sr0", {FakeDisc::Data, "FILMS", "/media/FILMS"}},
        {"sr1", {FakeDisc::Data, "VACACIONES", {}, m_media.filePath("VACACIONES")}},
        {"sr10", {FakeDisc::Data, "MUSICA", "/media/MUSICA"}}, // after sr2, in device order
        {"sr2", {FakeDisc::Audio}},
    };
    QVERIFY(m_service.registerObject(kRoot, &m_udisks, QDBusConnection::ExportAllSlots));
    for (auto& [device, disc] : m_udisks.discs) {
        m_filesystems.push_back(std::make_unique<FakeFilesystem>(disc));
        m_filesystems.back()->moveToThread(&m_serviceThread);
        QVERIFY(m_service.registerObject(blockPath(device), m_filesystems.back().get(),
                                         QDBusConnection::ExportAllSlots));
    }
    QVERIFY(m_service.registerService("org.freedesktop.UDisks2"));
}

void TestUDisksDrives::cleanup()
{
    m_service.unregisterService("org.freedesktop.UDisks2");
    m_service.unregisterObject(kRoot, QDBusConnection::UnregisterTree);
    m_filesystems.clear();
}

void TestUDisksDrives::cleanupTestCase()
{
    m_serviceThread.quit();
    m_serviceThread.wait();
}

void TestUDisksDrives::listsTheOpticalDrivesInDeviceOrder()
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
}

void TestUDisksDrives::choosingAnUnmountedDiscMountsIt()
{
    UDisksDrives drives(m_kernel, QDBusConnection::sessionBus());
    FakePlayer player;
    FakeLauncher launcher;
    FakeFileOperations files;
    QTemporaryDir programFolder;
    MainWindow window(Services{player, drives, launcher, files}, programFolder.path());

    QVERIFY(chooseRow(window, "E: [VACACIONES]"));
    QCOMPARE(rowTexts(window).filter("Viaje"), QStringList({"Viaje.mpg"}));
    // No password can be asked for in a living-room session: refused rather than waited for.
    QCOMPARE(m_udisks.discs["sr1"].mountAsked.value("auth.no_user_interaction"), QVariant(true));
}

void TestUDisksDrives::aDiscThatWillNotMountTellsWhy()
{
    UDisksDrives drives(m_kernel, QDBusConnection::sessionBus());
    FakeDisc& disc = m_udisks.discs["sr1"];
    disc.refusal = "org.freedesktop.UDisks2.Error.NotAuthorizedCanObtain";
    QCOMPARE(
        describe(*drives.readyDrive(u'E')),
        "E ready=0 mountable=1 [VACACIONES]  no hay permiso para abrir el disco en esta sesión");
    disc.refusal = "org.freedesktop.UDisks2.Error.Failed";
    QCOMPARE(drives.readyDrive(u'E')->problem, QStringLiteral("el disco no se pudo abrir"));
}

void TestUDisksDrives::withoutUDisksTheKernelsDrivesAnswer()
{
    const QStringList kernels{"D ready=1 mountable=0 [DEL NUCLEO] /media/kernel "};
    UDisksDrives drives(m_kernel, QDBusConnection::sessionBus());
    QCOMPARE(describe(drives.opticalDrives()).size(), 4);
    // The service goes while the main menu shows its drives.
    cleanup();
    QCOMPARE(describe(drives.opticalDrives()), kernels);
    QCOMPARE(describe(*drives.readyDrive(u'D')), kernels.front());
    // A machine with no system bus at all.
    UDisksDrives busless(m_kernel, QDBusConnection(QStringLiteral("none")));
    QCOMPARE(describe(busless.opticalDrives()), kernels);
}

QTEST_MAIN(TestUDisksDrives)
#include "tst_udisksdrives.moc"
