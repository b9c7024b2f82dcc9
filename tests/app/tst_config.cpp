#include "app/config.h"
#include "app/userfolders.h"
#include "platform/filenames.h"
#include "support/files.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

class TestConfig : public QObject {
    Q_OBJECT
private slots:
    void readsFourLines_data();
    void readsFourLines();
    void hugeFileIsReadOnlyInPart();
    void missingOrSpecialFileGivesEmptyValues();
    void programFolderIsTheExecutablesWhenItHoldsTheFile();
    void userDirsLines_data();
    void userDirsLines();
    void userFolderFileThenVariableThenHome_data();
    void userFolderFileThenVariableThenHome();
    void emptyLibraryLinesAreTheUsersFolders();
};

void TestConfig::readsFourLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("values");

    QTest::newRow("CR LF") << QByteArray("/v\r\n/m\r\n/p\r\ntv --full\r\n")
                           << QStringList{"/v", "/m", "/p", "tv --full"};
    QTest::newRow("bare CR") << QByteArray("/v\r/m\r/p\rtv") << QStringList{"/v", "/m", "/p", "tv"};
    QTest::newRow("bare LF") << QByteArray("/v\n/m\n/p\ntv\n") << QStringList{"/v", "/m", "/p", "tv"};
    QTest::newRow("six lines") << QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n")
                               << QStringList{"1", "2", "3", "4"};
    QTest::newRow("two lines") << QByteArray("/v\r\n/m") << QStringList{"/v", "/m", "", ""};
    QTest::newRow("empty line keeps its place") << QByteArray("/v\r\n\r\n/p\r\n")
                                                << QStringList{"/v", "", "/p", ""};
    QTest::newRow("blank LF line between CR LF lines") << QByteArray("/v\r\n\n/p\r\n")
                                                       << QStringList{"/v", "", "/p", ""};
    QTest::newRow("spaces kept") << QByteArray(" /v \r\n/m  \r\n")
                                 << QStringList{" /v ", "/m  ", "", ""};
    QTest::newRow("empty file") << QByteArray() << QStringList{"", "", "", ""};
    QTest::newRow("UTF-8") << QByteArray("/home/ana/Vídeos\r\n/home/ana/Música\r\n")
                           << QStringList{"/home/ana/Vídeos", "/home/ana/Música", "", ""};
    QTest::newRow("Windows-1252") << QByteArray("/M\xfasica \x80\r\n")
                                  << QStringList{"/Música €", "", "", ""};
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe\r\x01", 5)
                            << QStringList{QString::fromUtf16(u"\u0000\u00ff\u00fe", 3), "\x01", "", ""};
    QTest::newRow("overlong line is cut, the next still read")
        << QByteArray(10000, 'a') + "\r\n/m\r\n"
        << QStringList{QString(kMaxConfigLineBytes, u'a'), "/m", "", ""};
}

void TestConfig::readsFourLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, values);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    const FoldersConfig config = parseFoldersIni(buffer);
    QCOMPARE(QStringList({config.VideoFolder, config.MusicFolder, config.PicturesFolder,
                          config.TvCommand}),
             values);
}

void TestConfig::hugeFileIsReadOnlyInPart()
{
    QByteArray bytes(100 << 20, 'x');
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    const FoldersConfig config = parseFoldersIni(buffer);
    QCOMPARE(config.VideoFolder.size(), kMaxConfigLineBytes);
    QVERIFY(buffer.pos() <= kMaxConfigBytes);
}

void TestConfig::missingOrSpecialFileGivesEmptyValues()
{
    QTemporaryDir dir;
    const FoldersConfig missing = readFoldersIni(dir.filePath("folders.ini"));
    QVERIFY(missing.VideoFolder.isEmpty() && missing.TvCommand.isEmpty());

    // A pipe of that name would wait for a writer for ever.
    QVERIFY(mkfifo(QFile::encodeName(dir.filePath("pipe.ini")).constData(), 0600) == 0);
    QVERIFY(readFoldersIni(dir.filePath("pipe.ini")).VideoFolder.isEmpty());
}

void TestConfig::programFolderIsTheExecutablesWhenItHoldsTheFile()
{
    QTemporaryDir portable;
    QVERIFY(writeFile(portable.filePath("folders.ini"), "/v\r\n"));
    QCOMPARE(programFolder(portable.path()), portable.path());

    QTemporaryDir installed;
    qputenv("XDG_CONFIG_HOME", installed.filePath("config").toUtf8());
    QCOMPARE(programFolder("/usr/bin"), installed.filePath("config/sofavio"));
}

void TestConfig::userDirsLines_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("music"); // "-": none

    QTest::newRow("Spanish desktop") << QByteArray("# written by xdg-user-dirs-update\n"
                                                   "XDG_DESKTOP_DIR=\"$HOME/Escritorio\"\n"
                                                   "XDG_MUSIC_DIR=\"$HOME/Música\"\n")
                                     << "/home/ana/Música";
    QTest::newRow("absolute") << QByteArray("XDG_MUSIC_DIR=\"/srv/música\"") << "/srv/música";
    QTest::newRow("home itself") << QByteArray("XDG_MUSIC_DIR=\"$HOME\"") << "/home/ana";
    QTest::newRow("last line wins") << QByteArray("XDG_MUSIC_DIR=\"/a\"\nXDG_MUSIC_DIR=\"/b\"")
                                    << "/b";
    QTest::newRow("indented, CR LF") << QByteArray("  XDG_MUSIC_DIR=\"/a\"\r\n") << "/a";
    QTest::newRow("escaped quote") << QByteArray("XDG_MUSIC_DIR=\"/a \\\"b\\\"\"") << "/a \"b\"";
    QTest::newRow("Latin-1 bytes kept")
        << QByteArray("XDG_MUSIC_DIR=\"/m\xfasica\"") << fileNameFromBytes("/m\xfasica");
    QTest::newRow("relative") << QByteArray("XDG_MUSIC_DIR=\"Music\"") << "-";
    QTest::newRow("$HOME without a slash") << QByteArray("XDG_MUSIC_DIR=\"$HOMEx\"") << "-";
    QTest::newRow("unquoted") << QByteArray("XDG_MUSIC_DIR=/a") << "-";
    QTest::newRow("unclosed") << QByteArray("XDG_MUSIC_DIR=\"/a") << "-";
    QTest::newRow("commented") << QByteArray("#XDG_MUSIC_DIR=\"/a\"") << "-";
    QTest::newRow("longer name") << QByteArray("XDG_MUSIC_DIRS=\"/a\"") << "-";
    QTest::newRow("other kinds only") << QByteArray("XDG_VIDEOS_DIR=\"/v\"") << "-";
}

void TestConfig::userDirsLines()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, music);
    const auto value = userDirsValue(contents, "XDG_MUSIC_DIR", "/home/ana");
    QCOMPARE(value.value_or("-"), music);
}

void TestConfig::userFolderFileThenVariableThenHome_data()
{
    QTest::addColumn<QByteArray>("file"); // null: no file
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<QString>("music"); // below the home

    QTest::newRow("file") << QByteArray("XDG_MUSIC_DIR=\"$HOME/Música\"") << QByteArray("/v")
                          << "/Música";
    QTest::newRow("variable, file silent") << QByteArray("XDG_VIDEOS_DIR=\"/x\"")
                                           << QByteArray("/var") << "-/var";
    QTest::newRow("variable, no file") << QByteArray() << QByteArray("/var") << "-/var";
    QTest::newRow("neither") << QByteArray() << QByteArray() << "";
}

void TestConfig::userFolderFileThenVariableThenHome()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, variable);
    QFETCH(QString, music);
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qunsetenv("XDG_CONFIG_HOME");
    qputenv("XDG_MUSIC_DIR", variable);
    if (!file.isNull())
        QVERIFY(writeFile(home.filePath(".config/user-dirs.dirs"), file));
    const QString expected = music.startsWith(u'-') ? music.mid(1) : home.path() + music;
    QCOMPARE(userFolder("MUSIC"), expected);
    qunsetenv("XDG_MUSIC_DIR");
}

void TestConfig::emptyLibraryLinesAreTheUsersFolders()
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath("conf").toUtf8());
    QVERIFY(writeFile(home.filePath("conf/user-dirs.dirs"),
                      "XDG_VIDEOS_DIR=\"$HOME/Vídeos\"\nXDG_PICTURES_DIR=\"$HOME/Imágenes\"\n"));
    const FoldersConfig config = withUserFolders({"", "/no/such/folder", "", ""});
    QCOMPARE(QStringList({config.VideoFolder, config.MusicFolder, config.PicturesFolder,
                          config.TvCommand}),
             QStringList({home.filePath("Vídeos"), "/no/such/folder", home.filePath("Imágenes"),
                          ""}));
    qunsetenv("XDG_CONFIG_HOME");
}

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
