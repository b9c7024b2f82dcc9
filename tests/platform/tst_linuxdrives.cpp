// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linuxdrives.h"
#include "support/files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Written in this order, so a link's folder is there.
using Files = QList<std::pair<QString, QByteArray>>;

namespace {

// A disc whose primary volume descriptor, at sector 16, names it.
QByteArray isoImageLabelled(const QByteArray& label)
{
    return QByteArray(16 * 2048, '\0') + "\001CD001\001" + QByteArray(33, ' ') +
           label.leftJustified(32, ' ');
}

QString describe(const std::optional<std::vector<OpticalDrive>>& drives)
{
    if (!drives)
        return QStringLiteral("unlisted");
    QStringList lines;
    for (const OpticalDrive& d : *drives)
        lines << QStringLiteral("%1 %2 [%3] %4")
                     .arg(d.letter)
                     .arg(d.ready)
                     .arg(d.volumeName, d.root)
                     .trimmed();
    return lines.join(u" | ");
}

} // namespace

class TestLinuxDrives : public QObject {
    Q_OBJECT
private slots:
    void enumerates_data();
    void enumerates();
};

void TestLinuxDrives::enumerates_data()
{
    QTest::addColumn<Files>("files"); // a value "-> NAME" makes a link to NAME
    QTest::addColumn<QString>("expected");

    const QByteArray mountedE = "sysfs /sys sysfs rw 0 0\n/dev/sr1 /media/u/FILMS iso9660 ro 0 0\n";
    QTest::newRow("udev label, only E holds a disc")
        << Files{{"proc/sys/dev/cdrom/info", "CD-ROM information, Id: cdrom.c 3.20 2003/12/17\n\n"
                                             "drive name:\t\tsr1\tsr0\ndrive speed:\t\t24\t24\n"},
                 {"proc/self/mounts", mountedE},
                 {"sys/block/sr1/dev", "11:1\n"},
                 {"run/udev/data/b11:1", "S:cdrom\nE:ID_CDROM=1\nE:ID_FS_LABEL=FILMS\n"}}
        << "D 0 [] | E 1 [FILMS] /media/u/FILMS";
    QTest::newRow("encoded label wins over the plain one, escaped mount point")
        << Files{{"proc/sys/dev/cdrom/info", "drive name:\t\tsr0\n"},
                 {"proc/self/mounts", "/dev/sr0 /media/u/MIS\\040FOTOS udf ro 0 0\n"},
                 {"sys/block/sr0/dev", "11:0\n"},
                 {"run/udev/data/b11:0",
                  "E:ID_FS_LABEL=MIS_FOTOS\nE:ID_FS_LABEL_ENC=MIS\\x20FOTOS\n"}}
        << "D 1 [MIS FOTOS] /media/u/MIS FOTOS";
    QTest::newRow("label read from the disc without udev, mounted through a link")
        << Files{{"proc/sys/dev/cdrom/info", "drive name:\t\tsr0\n"},
                 {"proc/self/mounts", "/dev/cdrom /media/cdrom0 iso9660 ro 0 0\n"},
                 {"dev/sr0", isoImageLabelled("VACACIONES")},
                 {"dev/cdrom", "-> sr0"}}
        << "D 1 [VACACIONES] /media/cdrom0";
    QTest::newRow("letters in device order past sr9")
        << Files{{"proc/sys/dev/cdrom/info", "drive name:\t\tsr10\tsr2\tsr1\n"},
                 {"proc/self/mounts", "/dev/sr10 /mnt/ten iso9660 ro 0 0\n"}}
        << "D 0 [] | E 0 [] | F 1 [] /mnt/ten";
    QTest::newRow("no driver loaded: no drives") << Files{} << "";
    // A folder where the list should be cannot be read as a file, even by root.
    QTest::newRow("unreadable list") << Files{{"proc/sys/dev/cdrom/info/x", ""}} << "unlisted";
}

void TestLinuxDrives::enumerates()
{
    QFETCH(Files, files);
    QTemporaryDir root;
    for (const auto& [name, bytes] : files) {
        if (bytes.startsWith("-> "))
            QVERIFY(QFile::link(QString::fromUtf8(bytes.mid(3)), root.filePath(name)));
        else
            QVERIFY(writeFile(root.filePath(name), bytes));
    }
    QTEST(describe(LinuxDrives(root.path()).opticalDrives()), "expected");
}

QTEST_GUILESS_MAIN(TestLinuxDrives)
#include "tst_linuxdrives.moc"
