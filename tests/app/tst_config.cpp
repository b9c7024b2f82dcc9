#include "app/config.h"
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

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
