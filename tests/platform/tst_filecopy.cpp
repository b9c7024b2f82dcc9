#include "import/copyengine.h"
#include "platform/filecopy.h"
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

QString nameOf(const char* path)
{
    return QFile::decodeName(path).section(u'/', -1);
}

} // namespace

extern "C" int renameat2(int fromDir, const char* from, int toDir, const char* to,
                         unsigned int flags) noexcept
{
    if (g_refuseRenameWith && (flags & RENAME_NOREPLACE)) {
        errno = g_refuseRenameWith;
        return -1;
    }
    g_diskCalls << "name " + nameOf(to);
    return real<int(int, const char*, int, const char*, unsigned int)>("renameat2")(
        fromDir, from, toDir, to, flags);
}

extern "C" int link(const char* from, const char* to) noexcept
{
    if (g_refuseLinkWith) {
        errno = g_refuseLinkWith;
        return -1;
    }
    g_diskCalls << "name " + nameOf(to);
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

// A FUSE view of a folder, made with bindfs; only root may mount one here.
struct FuseMount {
    FuseMount()
    {
        mounted =
            ::geteuid() == 0 && QProcess::execute("bindfs", {backing.path(), view.path()}) == 0;
    }
    ~FuseMount()
    {
        if (mounted)
            QProcess::execute("fusermount", {"-u", view.path()});
    }
    QTemporaryDir backing;
    QTemporaryDir view;
    bool mounted = false;
};

} // namespace

class TestFileCopy : public QObject {
    Q_OBJECT
private slots:
    void init();
    void neverReplaces_data();
    void neverReplaces();
    void onARealFuseMount();
    void reachesTheDiskBeforeItsName();
};

void TestFileCopy::init()
{
    g_refuseRenameWith = g_refuseLinkWith = 0;
    g_diskCalls.clear();
}

void TestFileCopy::neverReplaces_data()
{
    QTest::addColumn<int>("renameRefusal");
    QTest::addColumn<int>("linkRefusal");
    QTest::newRow("the no-replace rename") << 0 << 0;
    QTest::newRow("rename flag refused (NFS, FUSE)") << EINVAL << 0;
    QTest::newRow("renameat2 missing (old kernel)") << ENOSYS << 0;
    QTest::newRow("no links either (FAT)") << EINVAL << EPERM;
    QTest::newRow("links not supported") << EINVAL << EOPNOTSUPP;
}

void TestFileCopy::neverReplaces()
{
    QFETCH(int, renameRefusal);
    QFETCH(int, linkRefusal);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(".new.part"), "copy"));
    QVERIFY(writeFile(dir.filePath(".taken.part"), "copy"));
    QVERIFY(writeFile(dir.filePath("taken"), "theirs"));
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
    QCOMPARE(readFile(dir.filePath(".taken.part")), QByteArray("copy"));
}

void TestFileCopy::onARealFuseMount()
{
    FuseMount fuse;
    if (!fuse.mounted)
        QSKIP("needs root, bindfs and /dev/fuse to mount a FUSE file system");
    QTemporaryDir disc;
    QVERIFY(writeFile(disc.filePath("a.jpg"), "new a"));
    QVERIFY(writeFile(disc.filePath("b.jpg"), "new b"));
    QVERIFY(writeFile(fuse.view.filePath("b.jpg"), "old b"));
    // Refused by the file system itself, not by the test.
    QVERIFY(::renameat2(AT_FDCWD, QFile::encodeName(fuse.view.filePath("b.jpg")), AT_FDCWD,
                        QFile::encodeName(fuse.view.filePath("c.jpg")), RENAME_NOREPLACE) != 0);

    CopyEngine engine({disc.filePath("a.jpg"), disc.filePath("b.jpg")}, fuse.view.path(), false);
    QObject::connect(
        &engine, &CopyEngine::replaceAsked, &engine, [&] { engine.answer(CopyEngine::No); },
        Qt::DirectConnection);
    engine.run();
    QCOMPARE(engine.failures(), QStringList());
    QCOMPARE(engine.copiedCount(), 1);
    QCOMPARE(readFile(fuse.view.filePath("a.jpg")), QByteArray("new a"));
    QCOMPARE(readFile(fuse.view.filePath("b.jpg")), QByteArray("old b"));
    QCOMPARE(QDir(fuse.view.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"a.jpg", "b.jpg"}));
}

void TestFileCopy::reachesTheDiskBeforeItsName()
{
    QTemporaryDir disc;
    QTemporaryDir library;
    QVERIFY(writeFile(disc.filePath("a.mp3"), "a"));
    QVERIFY(writeFile(disc.filePath("b.mp3"), "b"));
    CopyEngine engine({disc.filePath("a.mp3"), disc.filePath("b.mp3")}, library.path(), false);
    engine.run();
    QCOMPARE(engine.failures(), QStringList());
    // Each file's data, then its name; the names themselves once the last is in place.
    QCOMPARE(g_diskCalls, QStringList({"data", "name a.mp3", "data", "name b.mp3", "folder"}));
}

QTEST_MAIN(TestFileCopy)
#include "tst_filecopy.moc"
