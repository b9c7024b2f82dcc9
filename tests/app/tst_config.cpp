// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/config.h"
#include "app/userfolders.h"
#include "platform/filenames.h"
#include "support/files.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestConfig : public QObject {
    Q_OBJECT
private slots:
    void readsFourLines_data();
    void readsFourLines();
    void programFolderIsTheExecutablesWhenItHoldsTheFile();
    void userFolderFileThenVariableThenHome_data();
    void userFolderFileThenVariableThenHome();
};

void TestConfig::readsFourLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("values");

    QTest::newRow("CR LF, the fifth line and on ignored")
        << QByteArray("/v\r\n/m\r\n/p\r\ntv --full\r\n5\r\n6\r\n")
        << QStringList{"/v", "/m", "/p", "tv --full"};
    QTest::newRow("bare CR") << QByteArray("/v\r/m\r/p\rtv") << QStringList{"/v", "/m", "/p", "tv"};
    QTest::newRow("an empty LF line between CR LF lines keeps its place")
        << QByteArray("/v\r\n\n/p\r\n") << QStringList{"/v", "", "/p", ""};
    QTest::newRow("spaces kept") << QByteArray(" /v \r\n/m  \r\n")
                                 << QStringList{" /v ", "/m  ", "", ""};
    // Each line is read as UTF-8 when it is, as Windows-1252 otherwise.
    QTest::newRow("UTF-8 and Windows-1252") << QByteArray("/home/ana/Vídeos\r\n/M\xfasica \x80\r\n")
                                            << QStringList{"/home/ana/Vídeos", "/Música €", "", ""};
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe\r\x01", 5)
                            << QStringList{QString::fromUtf16(u"\u0000\u00ff\u00fe", 3), "\x01", "",
                                           ""};
    QTest::newRow("overlong line is cut, the next still read")
        << QByteArray(10000, 'a') + "\r\n/m\r\n"
        << QStringList{QString(kMaxConfigLineBytes, u'a'), "/m", "", ""};
    QTest::newRow("huge file read only in part")
        << QByteArray(100 << 20, 'x')
        << QStringList{QString(kMaxConfigLineBytes, u'x'), "", "", ""};
}

void TestConfig::readsFourLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, values);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    const FoldersConfig config = parseFoldersIni(buffer);
    QCOMPARE(QStringList(
                 {config.VideoFolder, config.MusicFolder, config.PicturesFolder, config.TvCommand}),
             values);
    QVERIFY(buffer.pos() <= kMaxConfigBytes);
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

void TestConfig::userFolderFileThenVariableThenHome_data()
{
    QTest::addColumn<QByteArray>("file"); // user-dirs.dirs; null: no file
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<QString>("music"); // "~" for the home

    const QByteArray var("/var");
    QTest::newRow("home itself") << QByteArray("XDG_MUSIC_DIR=\"$HOME\"") << var << "~";
    QTest::newRow("last line wins")
        << QByteArray("XDG_MUSIC_DIR=\"/a\"\nXDG_MUSIC_DIR=\"/b\"") << var << "/b";
    QTest::newRow("indented, CR LF") << QByteArray("  XDG_MUSIC_DIR=\"/a\"\r\n") << var << "/a";
    QTest::newRow("escaped quote")
        << QByteArray("XDG_MUSIC_DIR=\"/a \\\"b\\\"\"") << var << "/a \"b\"";
    QTest::newRow("Latin-1 bytes kept")
        << QByteArray("XDG_MUSIC_DIR=\"/m\xfasica\"") << var << fileNameFromBytes("/m\xfasica");
    // Lines that are not the music's, or whose value is neither absolute nor below $HOME.
    QTest::newRow("relative") << QByteArray("XDG_MUSIC_DIR=\"Music\"") << var << "/var";
    QTest::newRow("$HOME without a slash")
        << QByteArray("XDG_MUSIC_DIR=\"$HOMEx\"") << var << "/var";
    QTest::newRow("unquoted") << QByteArray("XDG_MUSIC_DIR=/a") << var << "/var";
    QTest::newRow("commented") << QByteArray("#XDG_MUSIC_DIR=\"/a\"") << var << "/var";
    QTest::newRow("longer name") << QByteArray("XDG_MUSIC_DIRS=\"/a\"") << var << "/var";
    QTest::newRow("no file") << QByteArray() << var << "/var";
    QTest::newRow("neither") << QByteArray() << QByteArray() << "~";
}

void TestConfig::userFolderFileThenVariableThenHome()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, variable);
    QFETCH(QString, music);
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    // The window's own tests read the file from ~/.config.
    qputenv("XDG_CONFIG_HOME", home.filePath("conf").toUtf8());
    qputenv("XDG_MUSIC_DIR", variable);
    if (!file.isNull())
        QVERIFY(writeFile(home.filePath("conf/user-dirs.dirs"), file));
    QCOMPARE(userFolder("MUSIC"), music.replace(QRegularExpression("^~"), home.path()));
    qunsetenv("XDG_MUSIC_DIR");
}

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
