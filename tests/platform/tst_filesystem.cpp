// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/copyengine.h"
#include "platform/filecopy.h"
#include "platform/filesystem.h"
#include "platform/processlauncher.h"
#include "platform/trash.h"
#include "support/files.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

// The calls below stand in for the C library's, so a test can make the file system refuse
// what some real ones refuse, and see the order the copy reaches the disk in.
namespace {

int g_refuseRenameWith = 0;
int g_refuseLinkWith = 0;
QStringList g_diskCalls;

template <typename Function>
Function* real(const char* name)
{
    return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" int renameat2(int fromDir, const char* from, int toDir, const char* to,
                         unsigned int flags) noexcept
{
    if (g_refuseRenameWith && (flags & RENAME_NOREPLACE)) {
        errno = g_refuseRenameWith;
        return -1;
    }
    g_diskCalls << "name " + QFile::decodeName(to).section(u'/', -1);
    return real<int(int, const char*, int, const char*, unsigned int)>("renameat2")(
        fromDir, from, toDir, to, flags);
}

extern "C" int link(const char* from, const char* to) noexcept
{
    if (g_refuseLinkWith) {
        errno = g_refuseLinkWith;
        return -1;
    }
    return real<int(const char*, const char*)>("link")(from, to);
}

extern "C" int fdatasync(int fd)
{
    g_diskCalls << QStringLiteral("data");
    return real<int(int)>("fdatasync")(fd);
}

extern "C" int fsync(int fd)
{
    g_diskCalls << QStringLiteral("folder");
    return real<int(int)>("fsync")(fd);
}

namespace {

// A file system of the test's own on an empty folder, mounted by the command given with the
// folder put last: a small tmpfs as a second disk, or bindfs for FUSE. Only root may mount.
struct Mount {
    explicit Mount(const QStringList& command)
        : mounted(::geteuid() == 0 &&
                  QProcess::execute(command.front(), command.mid(1) << dir.path()) == 0)
    {
    }
    ~Mount()
    {
        if (mounted)
            QProcess::execute("umount", {dir.path()});
    }
    QTemporaryDir dir;
    const bool mounted;
};

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
    QTemporaryDir home;
    QTemporaryDir work;
};

} // namespace

// The file system's questions, the copy's final name, the trash, and the programs started on
// the user's behalf.
class TestFileSystem : public QObject {
    Q_OBJECT
private slots:
    void init();
    void pathParts_data();
    void pathParts();
    void filesAndFolders();
    void startsProgramsWithoutAShell();
    void copyNeverReplaces_data();
    void copyNeverReplaces();
    void copyReachesTheDiskBeforeItsName();
    void anotherReaderSeesAndRestoresTheTrash_data();
    void anotherReaderSeesAndRestoresTheTrash();
};

void TestFileSystem::init()
{
    g_refuseRenameWith = g_refuseLinkWith = 0;
    g_diskCalls.clear();
}

void TestFileSystem::pathParts_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("joined");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("baseName");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("parent");

    // clang-format off
    QTest::newRow("separators on both sides") << "/media/" << "/Vol.2.avi" << "/media/Vol.2.avi"
                                              << "Vol.2.avi" << "Vol.2" << "avi" << "/media";
    QTest::newRow("root") << "/" << "folders.ini" << "/folders.ini" << "folders.ini" << "folders"
                          << "ini" << "/";
    QTest::newRow("no extension, dotted folder") << "/m/Live.2004" << "README"
                                                 << "/m/Live.2004/README" << "README" << "README"
                                                 << "" << "/m/Live.2004";
    QTest::newRow("empty folder") << "" << "x.jpg" << "x.jpg" << "x.jpg" << "x" << "jpg" << "";
    // clang-format on
}

void TestFileSystem::pathParts()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(QString, joined);
    QCOMPARE(BuildPath(folder, name), joined);
    QTEST(GetFileName(joined), "fileName");
    QTEST(GetBaseName(joined), "baseName");
    QTEST(GetExtensionName(joined), "extension");
    QTEST(GetParentFolderName(joined), "parent");
}

void TestFileSystem::filesAndFolders()
{
    QTemporaryDir dir;
    for (const char* name : {"Track 10.mp3", "track 2.mp3", "Álbum.mp3", "b.mp3", ".hidden.mp3"})
        QVERIFY(writeFile(dir.filePath(name), "x"));
    for (const char* name : {"Disc 10", "disc 9", ".cache"})
        QVERIFY(QDir(dir.path()).mkdir(name));

    QVERIFY(!FolderExists(dir.filePath("b.mp3")));
    QVERIFY(!FileExists(dir.filePath("disc 9")));

    const auto contents = GetFolder(dir.path());
    QVERIFY(contents);
    QCOMPARE(contents->subFolderNames, QStringList({"disc 9", "Disc 10"}));
    QCOMPARE(contents->fileNames,
             QStringList({"Álbum.mp3", "b.mp3", "track 2.mp3", "Track 10.mp3"}));
    // Nothing, rather than an empty folder, for what cannot be listed.
    QVERIFY(!GetFolder(dir.filePath("b.mp3")));
}

void TestFileSystem::startsProgramsWithoutAShell()
{
    QTemporaryDir dir;
    ProcessLauncher launcher;
    // Quotes group words; a shell would have put the home folder in place of $HOME.
    QVERIFY(launcher.start(QStringLiteral("touch \"%1\"").arg(dir.filePath("tv $HOME"))));
    QTRY_VERIFY(QFile::exists(dir.filePath("tv $HOME")));
    // What cannot start is told so.
    QVERIFY(!launcher.start("   "));
    QVERIFY(!launcher.start("/nonexistent/tv-viewer --full"));
}

void TestFileSystem::copyNeverReplaces_data()
{
    QTest::addColumn<bool>("onFuse");
    QTest::addColumn<int>("renameRefusal");
    QTest::addColumn<int>("linkRefusal");
    QTest::newRow("the no-replace rename") << false << 0 << 0;
    QTest::newRow("a real FUSE mount (bindfs)") << true << 0 << 0;
    QTest::newRow("rename flag refused (NFS, FUSE)") << false << EINVAL << 0;
    QTest::newRow("no links either (FAT)") << false << EINVAL << EPERM;
    QTest::newRow("links not supported") << false << EINVAL << EOPNOTSUPP;
}

void TestFileSystem::copyNeverReplaces()
{
    QFETCH(bool, onFuse);
    QFETCH(int, renameRefusal);
    QFETCH(int, linkRefusal);
    QTemporaryDir backing;
    std::optional<Mount> fuse;
    if (onFuse)
        fuse.emplace(QStringList{"bindfs", backing.path()});
    if (fuse && !fuse->mounted)
        QSKIP("needs root, bindfs and /dev/fuse to mount a FUSE file system");
    const QDir dir(fuse ? fuse->dir.path() : backing.path());
    QVERIFY(writeFile(dir.filePath(".new.part"), "copy"));
    QVERIFY(writeFile(dir.filePath(".taken.part"), "copy"));
    QVERIFY(writeFile(dir.filePath("taken"), "theirs"));
    // Refused by the file system itself, not by the test.
    if (fuse)
        QVERIFY(::renameat2(AT_FDCWD, QFile::encodeName(dir.filePath("taken")), AT_FDCWD,
                            QFile::encodeName(dir.filePath("other")), RENAME_NOREPLACE) != 0);
    g_refuseRenameWith = renameRefusal;
    g_refuseLinkWith = linkRefusal;

    QString error;
    QVERIFY2(renameInto(dir.filePath(".new.part"), dir.filePath("new"), false, error),
             qPrintable(error));
    QCOMPARE(readFile(dir.filePath("new")), QByteArray("copy"));
    QVERIFY(!QFile::exists(dir.filePath(".new.part")));

    QVERIFY(!renameInto(dir.filePath(".taken.part"), dir.filePath("taken"), false, error));
    QCOMPARE(error, QStringLiteral("ya existe"));
    QCOMPARE(readFile(dir.filePath("taken")), QByteArray("theirs"));
}

void TestFileSystem::copyReachesTheDiskBeforeItsName()
{
    QTemporaryDir disc;
    QTemporaryDir library;
    QVERIFY(writeFile(disc.filePath("a.mp3"), "a"));
    QVERIFY(writeFile(disc.filePath("b.mp3"), "b"));
    CopyEngine engine({disc.filePath("a.mp3"), disc.filePath("b.mp3")}, library.path(), false);
    engine.run();
    // Each file's data, then its name; the names themselves once the last is in place.
    QCOMPARE(g_diskCalls, QStringList({"data", "name a.mp3", "data", "name b.mp3", "folder"}));
}

void TestFileSystem::anotherReaderSeesAndRestoresTheTrash_data()
{
    QTest::addColumn<bool>("onSecondMount");
    QTest::addColumn<bool>("blocked"); // a file where the trash's folder should be
    QTest::newRow("a file in the home") << false << false;
    QTest::newRow("a file on a second mount") << true << false;
    QTest::newRow("the home trash cannot be made") << false << true;
    QTest::newRow("the mount's trash cannot be made") << true << true;
}

void TestFileSystem::anotherReaderSeesAndRestoresTheTrash()
{
    QFETCH(bool, onSecondMount);
    QFETCH(bool, blocked);
    Account account;
    const Mount mount({"mount", "-t", "tmpfs", "-o", "size=1m", "none"});
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
    QCOMPARE(QDir(account.work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList());
    if (blocked) {
        QVERIFY2(reason.contains("no se puede crear"), qPrintable(reason));
        QCOMPARE(readFile(path), QByteArray("photo"));
        return;
    }
    QVERIFY(!QFile::exists(path));
    // trash-cli reads the trash as the desktop's own tools do.
    QProcess list;
    list.start("trash-list", QStringList());
    QVERIFY2(list.waitForFinished(), "install trash-cli (scripts/install-deps)");
    const QString listed = QString::fromUtf8(list.readAllStandardOutput());
    QVERIFY2(listed.contains(" " + path + "\n"), qPrintable(listed));
    QProcess restore;
    restore.start("trash-restore", {path});
    restore.write("0\n");
    restore.closeWriteChannel();
    QVERIFY(restore.waitForFinished());
    QCOMPARE(readFile(path), QByteArray("photo"));
}

QTEST_GUILESS_MAIN(TestFileSystem)
#include "tst_filesystem.moc"
