#include "platform/linuxdrives.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using Files = QMap<QString, QByteArray>;

namespace {

const QByteArray kTwoDrives = "CD-ROM information, Id: cdrom.c 3.20 2003/12/17\n\n"
                              "drive name:\t\tsr1\tsr0\ndrive speed:\t\t24\t24\n";

QByteArray isoImageLabelled(const QByteArray& label)
{
    QByteArray image(16 * 2048 + 2048, '\0');
    QByteArray descriptor = "\x01" "CD001\x01";
    descriptor += QByteArray(33, ' ');
    descriptor += label.leftJustified(32, ' ');
    image.replace(16 * 2048, descriptor.size(), descriptor);
    return image;
}

QString describe(const std::vector<OpticalDrive>& drives)
{
    QStringList lines;
    for (const OpticalDrive& d : drives)
        lines << QStringLiteral("%1 %2 [%3] %4").arg(d.letter).arg(d.ready).arg(d.volumeName, d.root).trimmed();
    return lines.join(u" | ");
}

} // namespace

class TestLinuxDrives : public QObject {
    Q_OBJECT
private slots:
    void enumerates_data();
    void enumerates();
    void unreadableListFails();
};

void TestLinuxDrives::enumerates_data()
{
    QTest::addColumn<Files>("files"); // a value "-> NAME" makes a link to NAME
    QTest::addColumn<QString>("expected");

    const QByteArray mountedE = "sysfs /sys sysfs rw 0 0\n/dev/sr1 /media/u/FILMS iso9660 ro 0 0\n";
    QTest::newRow("udev label, only E holds a disc")
        << Files{{"proc/sys/dev/cdrom/info", kTwoDrives},
                 {"proc/self/mounts", mountedE},
                 {"sys/block/sr1/dev", "11:1\n"},
                 {"run/udev/data/b11:1", "S:cdrom\nE:ID_CDROM=1\nE:ID_FS_LABEL=FILMS\n"}}
        << "D 0 [] | E 1 [FILMS] /media/u/FILMS";
    QTest::newRow("encoded label wins over the plain one, escaped mount point")
        << Files{{"proc/sys/dev/cdrom/info", "drive name:\t\tsr0\n"},
                 {"proc/self/mounts", "/dev/sr0 /media/u/MIS\\040FOTOS udf ro 0 0\n"},
                 {"sys/block/sr0/dev", "11:0\n"},
                 {"run/udev/data/b11:0", "E:ID_FS_LABEL=MIS_FOTOS\nE:ID_FS_LABEL_ENC=MIS\\x20FOTOS\n"}}
        << "D 1 [MIS FOTOS] /media/u/MIS FOTOS";
    QTest::newRow("label read from the disc without udev, mounted through a link")
        << Files{{"proc/sys/dev/cdrom/info", "drive name:\t\tsr0\n"},
                 {"proc/self/mounts", "/dev/cdrom /media/cdrom0 iso9660 ro 0 0\n"},
                 {"dev/sr0", isoImageLabelled("VACACIONES")},
                 {"dev/cdrom", "-> sr0"}}
        << "D 1 [VACACIONES] /media/cdrom0";
    QTest::newRow("ready disc without a label")
        << Files{{"proc/sys/dev/cdrom/info", "drive name:\t\tsr0\n"},
                 {"proc/self/mounts", "/dev/sr0 /mnt/cd iso9660 ro 0 0\n"},
                 {"dev/sr0", QByteArray(4096, '\0')}}
        << "D 1 [] /mnt/cd";
    QTest::newRow("letters in device order past sr9")
        << Files{{"proc/sys/dev/cdrom/info", "drive name:\t\tsr10\tsr2\tsr1\n"},
                 {"proc/self/mounts", "/dev/sr10 /mnt/ten iso9660 ro 0 0\n"}}
        << "D 0 [] | E 0 [] | F 1 [] /mnt/ten";
    QTest::newRow("no driver loaded: no drives") << Files{} << "";
}

void TestLinuxDrives::enumerates()
{
    QFETCH(Files, files);
    QTemporaryDir root;
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString path = root.filePath(it.key());
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        if (it.value().startsWith("-> "))
            QVERIFY(QFile::link(QString::fromUtf8(it.value().mid(3)), path));
        else
            QVERIFY(writeFile(path, it.value()));
    }

    const LinuxDrives kernel(root.path());
    const auto drives = kernel.opticalDrives();
    QVERIFY(drives);
    QTEST(describe(*drives), "expected");
    // Each drive by its letter, and none past the last.
    for (const OpticalDrive& drive : *drives)
        QCOMPARE(kernel.GetDrive(drive.letter)->root, drive.root);
    QVERIFY(!kernel.GetDrive(QChar(char16_t(u'D' + drives->size()))));
}

void TestLinuxDrives::unreadableListFails()
{
    QTemporaryDir root;
    // A folder where the list should be cannot be read as a file, even by root.
    QVERIFY(QDir(root.path()).mkpath("proc/sys/dev/cdrom/info"));
    QVERIFY(!LinuxDrives(root.path()).opticalDrives());
}

QTEST_GUILESS_MAIN(TestLinuxDrives)
#include "tst_linuxdrives.moc"
