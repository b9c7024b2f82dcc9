#include "platform/filenames.h"
#include "platform/trash.h"
#include "support/files.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/mount.h>
#include <unistd.h>

namespace {

// A home folder of its own, and an empty working folder, which a trashed file must never
// land in.
struct Account {
    Account(bool withShare, bool dataHomeSet)
    {
        if (withShare)
            QDir().mkpath(home.filePath(".local/share"));
        qputenv("HOME", QFile::encodeName(home.path()));
        if (dataHomeSet)
            qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")));
        else
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
    void withoutATrashNothingMoves_data();
    void withoutATrashNothingMoves();
};

void TestTrash::anotherReaderSeesAndRestores_data()
{
    QTest::addColumn<bool>("withShare");
    QTest::addColumn<bool>("dataHomeSet");
    QTest::addColumn<bool>("onSecondMount");
    QTest::addColumn<QString>("trashFolder"); // where the file must go, relative to its root
    QTest::newRow("home with ~/.local/share") << true << false << false << ".local/share/Trash";
    QTest::newRow("home without ~/.local/share") << false << false << false << ".local/share/Trash";
    QTest::newRow("XDG_DATA_HOME not made yet") << false << true << false << "data/Trash";
    QTest::newRow("a file on a second mount")
        << true << false << true << QStringLiteral(".Trash-%1").arg(::geteuid());
}

void TestTrash::anotherReaderSeesAndRestores()
{
    QFETCH(bool, withShare);
    QFETCH(bool, dataHomeSet);
    QFETCH(bool, onSecondMount);
    QFETCH(QString, trashFolder);
    Account account(withShare, dataHomeSet);
    SecondMount mount;
    if (onSecondMount && !mount.mounted)
        QSKIP("a second mount is a tmpfs the test makes, which needs root");
    const QString folder = onSecondMount ? mount.dir.path() : account.home.filePath("Fotos");
    QVERIFY(QDir().mkpath(folder + "/sub"));
    const QString path = folder + "/sub/Playa café.jpg";
    QVERIFY(writeFile(path, "photo"));

    QString reason;
    QVERIFY2(moveToDesktopTrash(path, reason), qPrintable(reason));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(account.leftInTheWorkingFolder(), QStringList());
    const QString root = onSecondMount ? folder : account.home.path();
    QVERIFY(QFile::exists(root + "/" + trashFolder + "/files/Playa café.jpg"));

    const QString listed = trashCli("trash-list", {});
    QVERIFY2(listed.contains(" " + path + "\n"), qPrintable(listed));
    trashCli("trash-restore", {path}, "0\n");
    QCOMPARE(readFile(path), QByteArray("photo"));
}

void TestTrash::withoutATrashNothingMoves_data()
{
    QTest::addColumn<bool>("onSecondMount");
    QTest::newRow("the home trash cannot be made") << false;
    QTest::newRow("the mount's trash cannot be made") << true;
}

void TestTrash::withoutATrashNothingMoves()
{
    QFETCH(bool, onSecondMount);
    Account account(true, false);
    SecondMount mount;
    if (onSecondMount && !mount.mounted)
        QSKIP("a second mount is a tmpfs the test makes, which needs root");
    // A file where the trash's folder should be: nothing can make the folder there.
    const QString folder = onSecondMount ? mount.dir.path() : account.home.filePath("Fotos");
    QVERIFY(writeFile(onSecondMount ? folder + QStringLiteral("/.Trash-%1").arg(::geteuid())
                                    : account.home.filePath(".local/share/Trash"),
                      "in the way"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + "/a.jpg";
    QVERIFY(writeFile(path, "photo"));

    QString reason;
    QVERIFY(!moveToDesktopTrash(path, reason));
    QVERIFY(reason.contains("no se puede crear"));
    QCOMPARE(readFile(path), QByteArray("photo"));
    QCOMPARE(account.leftInTheWorkingFolder(), QStringList());
}

QTEST_MAIN(TestTrash)
#include "tst_trash.moc"
