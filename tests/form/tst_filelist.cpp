#include "form/filelist.h"
#include "form/mediakinds.h"
#include "support/librarytree.h"

#include <QTest>

class TestFileList : public QObject {
    Q_OBJECT
private slots:
    void patternMatching_data();
    void patternMatching();
    void listsMatchingFilesInOrder();
    void unreadableFolderChangesNothing();
};

void TestFileList::patternMatching_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("matches");
    QTest::newRow("audio") << kAudioPattern << "song.mp3" << true;
    QTest::newRow("capitals") << kAudioPattern << "SONG.MP3" << true;
    QTest::newRow("other kind") << kAudioPattern << "film.avi" << false;
    QTest::newRow("extension inside the name") << kAudioPattern << "song.mp3.txt" << false;
    QTest::newRow("no extension") << kAudioPattern << "mp3" << false;
    QTest::newRow("cover in pictures") << kPicturePattern << "folder.jpg" << true;
    QTest::newRow("cover in music") << kAudioPattern << "folder.jpg" << false;
    QTest::newRow("ogg is video and audio") << kVideoPattern << "clip.ogg" << true;
    QTest::newRow("question mark") << "a?.txt" << "ab.txt" << true;
    QTest::newRow("question mark needs a letter") << "a?.txt" << "a.txt" << false;
    QTest::newRow("star in the middle") << "IMG*.jpg" << "img_0001.JPG" << true;
    QTest::newRow("empty parts ignored") << ";;*.gif;" << "x.gif" << true;
    QTest::newRow("empty pattern") << "" << "x.gif" << false;
}

void TestFileList::patternMatching()
{
    QFETCH(QString, pattern);
    QFETCH(QString, name);
    QTEST(NamePattern(pattern).matches(name), "matches");
}

void TestFileList::listsMatchingFilesInOrder()
{
    const LibraryTree tree({"f/Track 10.mp3", "f/track 2.mp3", "f/b.MP3", "f/.hidden.mp3",
                            "f/notes.txt", "f/sub.mp3/"});
    FileList files{QString(), kAudioPattern, {}};
    QVERIFY(files.setPath(tree.path("f")));
    QCOMPARE(files.entries, QStringList({"b.MP3", "track 2.mp3", "Track 10.mp3"}));
    QCOMPARE(files.path, tree.path("f"));
}

void TestFileList::unreadableFolderChangesNothing()
{
    FileList files{"/old", kAudioPattern, {"a.mp3"}};
    QVERIFY(!files.setPath("/nonexistent/folder"));
    QCOMPARE(files.path, QStringLiteral("/old"));
    QCOMPARE(files.entries, QStringList({"a.mp3"}));
}

QTEST_GUILESS_MAIN(TestFileList)
#include "tst_filelist.moc"
