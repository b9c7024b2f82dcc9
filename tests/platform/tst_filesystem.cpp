#include "platform/filesystem.h"
#include "support/files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestFileSystem : public QObject {
    Q_OBJECT
private slots:
    void pathParts_data();
    void pathParts();
    void existence();
    void folderListsInFileManagerOrder();
    void unreadableFolderGivesNothing();
    void creationDate();
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
    QTest::newRow("no extension") << "/home/u" << "README" << "/home/u/README" << "README"
                                  << "README" << "" << "/home/u";
    QTest::newRow("dotted folder") << "/m" << "Live.2004" << "/m/Live.2004" << "Live.2004" << "Live"
                                   << "2004" << "/m";
    QTest::newRow("capital extension") << "/m" << "SONG.MP3" << "/m/SONG.MP3" << "SONG.MP3"
                                       << "SONG" << "MP3" << "/m";
    QTest::newRow("trailing dot") << "/m" << "odd." << "/m/odd." << "odd." << "odd" << "" << "/m";
    QTest::newRow("empty folder") << "" << "x.jpg" << "x.jpg" << "x.jpg" << "x" << "jpg" << "";
    QTest::newRow("accents") << "/Música" << "Canción.ogg" << "/Música/Canción.ogg"
                             << "Canción.ogg" << "Canción" << "ogg" << "/Música";
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

void TestFileSystem::existence()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("a.mp3"), "x"));
    QVERIFY(QDir(dir.path()).mkdir("Trip.jpg"));

    QVERIFY(FileExists(dir.filePath("a.mp3")));
    QVERIFY(!FolderExists(dir.filePath("a.mp3")));
    QVERIFY(FolderExists(dir.filePath("Trip.jpg")));
    QVERIFY(!FileExists(dir.filePath("Trip.jpg")));
    QVERIFY(!FileExists(dir.filePath("missing")));
    QVERIFY(!FolderExists(dir.filePath("missing")));
    QVERIFY(!FileExists(QString()));
    QVERIFY(!FolderExists(QString()));
}

void TestFileSystem::folderListsInFileManagerOrder()
{
    QTemporaryDir dir;
    for (const char* name : {"Track 10.mp3", "track 2.mp3", "Álbum.mp3", "b.mp3", ".hidden.mp3"})
        QVERIFY(writeFile(dir.filePath(name), "x"));
    for (const char* name : {"Disc 10", "disc 9", ".cache"})
        QVERIFY(QDir(dir.path()).mkdir(name));

    const auto contents = GetFolder(dir.path());
    QVERIFY(contents);
    QCOMPARE(contents->subFolderNames, QStringList({"disc 9", "Disc 10"}));
    QCOMPARE(contents->fileNames,
             QStringList({"Álbum.mp3", "b.mp3", "track 2.mp3", "Track 10.mp3"}));
    QVERIFY(GetFolder(dir.path(), FolderParts::Files)->subFolderNames.isEmpty());
}

void TestFileSystem::unreadableFolderGivesNothing()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("file"), "x"));
    QVERIFY(!GetFolder(dir.filePath("missing")));
    QVERIFY(!GetFolder(dir.filePath("file")));
    QVERIFY(!GetFolder(QString()));
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

QTEST_GUILESS_MAIN(TestFileSystem)
#include "tst_filesystem.moc"
