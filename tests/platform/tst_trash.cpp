#include "platform/trash.h"
#include "support/files.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/mount.h>
#include <unistd.h>

namespace {

// A home folder of its own without ~/.local/share, and an empty working folder, which a
// trashed file must never land in.
struct Account {
    Account()
    {
        qputenv("HOME", QFile::encodeName(home.path()));
        qunsetenv("XDG_DATA_HOME");
        QDir::setCurrent(work.path());
    }
    ~Account() { QDir::setCurrent(QDir::rootPath()); }
    QStringList leftInTheWorkingFolder() const
    {
        return QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }
    QTemporaryDir home;
    QTemporaryDir work;
};

// A tmpfs of the test's own, as a second disk; only root may make one.
struct SecondMount {
    SecondMount()
    {
        mounted = ::mount("none", QFile::encodeName(dir.path()), "tmpfs", 0, "size=1m") == 0;
    }
    ~SecondMount()
    {
        if (mounted)
            ::umount(QFile::encodeName(dir.path()));
    }
    QTemporaryDir dir;
    bool mounted = false;
};

// One of trash-cli's commands, the reader of the trash that the desktop's own tools agree with.
QString trashCli(const QString& command, const QStringList& arguments, const QByteArray& input = {})
{
    QProcess process;
    process.start(command, arguments);
    if (!process.waitForStarted())
        return QStringLiteral("%1 did not start: install trash-cli (scripts/install-deps)")
            .arg(command);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestTrash : public QObject {
    Q_OBJECT
private slots:
    void anotherReaderSeesAndRestores_data();
    void anotherReaderSeesAndRestores();
};

void TestTrash::anotherReaderSeesAndRestores_data()
{
    QTest::addColumn<bool>("onSecondMount");
    QTest::addColumn<bool>("blocked"); // a file where the trash's folder should be
    QTest::newRow("a file in the home") << false << false;
    QTest::newRow("a file on a second mount") << true << false;
    QTest::newRow("the home trash cannot be made") << false << true;
    QTest::newRow("the mount's trash cannot be made") << true << true;
}

void TestTrash::anotherReaderSeesAndRestores()
{
    QFETCH(bool, onSecondMount);
    QFETCH(bool, blocked);
    Account account;
    SecondMount mount;
    if (onSecondMount && !mount.mounted)
        QSKIP("a second mount is a tmpfs the test makes, which needs root");
    const QString root = onSecondMount ? mount.dir.path() : account.home.path();
    const QString trash = root + (onSecondMount ? QStringLiteral("/.Trash-%1").arg(::geteuid())
                                                : QStringLiteral("/.local/share/Trash"));
    if (blocked)
        QVERIFY(writeFile(trash, "in the way"));
    const QString path = root + "/Fotos/Playa café.jpg";
    QVERIFY(writeFile(path, "photo"));

    QString reason;
    QCOMPARE(moveToDesktopTrash(path, reason), !blocked);
    QCOMPARE(account.leftInTheWorkingFolder(), QStringList());
    if (blocked) {
        QVERIFY2(reason.contains("no se puede crear"), qPrintable(reason));
        QCOMPARE(readFile(path), QByteArray("photo"));
        return;
    }
    QVERIFY(!QFile::exists(path));
    QVERIFY(QFile::exists(trash + "/files/Playa café.jpg"));
    const QString listed = trashCli("trash-list", {});
    QVERIFY2(listed.contains(" " + path + "\n"), qPrintable(listed));
    trashCli("trash-restore", {path}, "0\n");
    QCOMPARE(readFile(path), QByteArray("photo"));
}

QTEST_MAIN(TestTrash)
#include "tst_trash.moc"
