#include "platform/processlauncher.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestProcessLauncher : public QObject {
    Q_OBJECT
private slots:
    void startsWithoutAShell();
    void refusesWhatCannotStart_data();
    void refusesWhatCannotStart();
};

void TestProcessLauncher::startsWithoutAShell()
{
    QTemporaryDir dir;
    ProcessLauncher launcher;
    // Quotes group words; a shell would have put the home folder in place of $HOME.
    QVERIFY(launcher.start(QStringLiteral("touch \"%1\"").arg(dir.filePath("tv $HOME"))));
    QTRY_VERIFY(QFile::exists(dir.filePath("tv $HOME")));
}

void TestProcessLauncher::refusesWhatCannotStart_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("empty") << "";
    QTest::newRow("blank") << "   ";
    QTest::newRow("missing program") << "/nonexistent/tv-viewer --full";
}

void TestProcessLauncher::refusesWhatCannotStart()
{
    QFETCH(QString, line);
    QVERIFY(!ProcessLauncher().start(line));
}

QTEST_GUILESS_MAIN(TestProcessLauncher)
#include "tst_processlauncher.moc"
