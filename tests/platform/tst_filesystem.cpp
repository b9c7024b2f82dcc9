#include "platform/filesystem.h"
#include "platform/processlauncher.h"
#include "support/files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// The file system's questions, and the programs started on the user's behalf.
class TestFileSystem : public QObject {
    Q_OBJECT
private slots:
    void pathParts_data();
    void pathParts();
    void filesAndFolders();
    void creationDate();
    void startsProgramsWithoutAShell();
};

void TestFileSystem::pathParts_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("joined");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("baseName");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("parent");

    QTest::newRow("plain") << "/media/Films" << "Vol.2.avi" << "/media/Films/Vol.2.avi"
                           << "Vol.2.avi" << "Vol.2" << "avi" << "/media/Films";
    QTest::newRow("folder ends in separator") << "/media/" << "a.mp3" << "/media/a.mp3" << "a.mp3"
                                              << "a" << "mp3" << "/media";
    QTest::newRow("name starts with separator") << "/media" << "/a.mp3" << "/media/a.mp3"
                                                << "a.mp3" << "a" << "mp3" << "/media";
    QTest::newRow("root") << "/" << "folders.ini" << "/folders.ini" << "folders.ini" << "folders"
                          << "ini" << "/";
    QTest::newRow("no extension, dotted folder") << "/m/Live.2004" << "README"
                                                 << "/m/Live.2004/README" << "README" << "README"
                                                 << "" << "/m/Live.2004";
    QTest::newRow("empty folder") << "" << "x.jpg" << "x.jpg" << "x.jpg" << "x" << "jpg" << "";
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

    QVERIFY(FileExists(dir.filePath("b.mp3")));
    QVERIFY(!FolderExists(dir.filePath("b.mp3")));
    QVERIFY(FolderExists(dir.filePath("disc 9")));
    QVERIFY(!FileExists(dir.filePath("disc 9")));
    QVERIFY(!FileExists(dir.filePath("missing")));
    QVERIFY(!FolderExists(dir.filePath("missing")));

    const auto contents = GetFolder(dir.path());
    QVERIFY(contents);
    QCOMPARE(contents->subFolderNames, QStringList({"disc 9", "Disc 10"}));
    QCOMPARE(contents->fileNames,
             QStringList({"Álbum.mp3", "b.mp3", "track 2.mp3", "Track 10.mp3"}));
    QVERIFY(GetFolder(dir.path(), FolderParts::Files)->subFolderNames.isEmpty());
    // Nothing, rather than an empty folder, for what cannot be listed.
    QVERIFY(!GetFolder(dir.filePath("b.mp3")));
}

void TestFileSystem::creationDate()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("new.jpg"), "x"));
    const auto date = fileCreationDate(dir.filePath("new.jpg"));
    QVERIFY(date);
    QVERIFY(qAbs(date->secsTo(QDateTime::currentDateTime())) < 60);
    QVERIFY(!fileCreationDate(dir.filePath("missing.jpg")));
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

QTEST_GUILESS_MAIN(TestFileSystem)
#include "tst_filesystem.moc"
