#include "app/mainwindow.h"
#include "form/menulist.h"
#include "menu/folderbrowser.h"
#include "platform/desktopfileoperations.h"
#include "support/librarytree.h"
#include "support/menudriver.h"
#include "support/modalanswers.h"
#include "support/testwindow.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestFileOps : public QObject {
    Q_OBJECT
private slots:
    void sourceListRoundTrip();
    void fixedAndMenuRowsAreNeverDeleted();
    void yesSendsToTheTrash_data();
    void yesSendsToTheTrash();
    void noAndEscapeDeleteNothing_data();
    void noAndEscapeDeleteNothing();
    void failureIsToldAndTheListingStays();
};

void TestFileOps::sourceListRoundTrip()
{
    const QStringList paths{"/m/a b.jpg", "/m/carpeta"};
    const QString list = shellSourceList(paths);
    QCOMPARE(list, QString("/m/a b.jpg") + QChar(0) + "/m/carpeta" + QChar(0) + QChar(0));
    QCOMPARE(pathsOfSourceList(list), paths);
    QCOMPARE(pathsOfSourceList(shellSourceList({})), QStringList());
    QCOMPARE(pathsOfSourceList(QStringLiteral("/sin/fin")), QStringList());
}

void TestFileOps::fixedAndMenuRowsAreNeverDeleted()
{
    const LibraryTree tree({"f/a.jpg"});
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    ModalAnswers answers({Qt::Key_Left, Qt::Key_Return});
    // A file in the working folder named like a menu key is not a row's file.
    QVERIFY(QDir::setCurrent(tree.path("f")));
    QVERIFY(QFile::copy(tree.path("f/a.jpg"), tree.path("f/tv")));
    QTest::keyClick(w.LsvMenu, Qt::Key_Delete);
    w.File1.pattern = QStringLiteral("*.jpg");
    QVERIFY(Explore(w, tree.path("f")));
    for (int row = 0; row < 3; ++row) {
        w.LsvMenu->selectRow(row);
        QTest::keyClick(w.LsvMenu, Qt::Key_Delete);
    }
    QTest::qWait(100);
    QCOMPARE(answers.questions, 0);
    QVERIFY(t.files.asked.isEmpty());
}

void TestFileOps::yesSendsToTheTrash_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("item");
    QTest::newRow("a file") << "b.jpg"
                            << "f/b.jpg";
    QTest::newRow("a folder") << "sub"
                              << "f/sub";
}

void TestFileOps::yesSendsToTheTrash()
{
    QFETCH(QString, row);
    QFETCH(QString, item);
    const LibraryTree tree({"f/a.jpg", "f/b.jpg", "f/sub/c.jpg", "data/"});
    qputenv("XDG_DATA_HOME", QFile::encodeName(tree.path("data")));
    TestWindow t;
    DesktopFileOperations trash;
    MainWindow w(Services{t.player, t.drives, t.launcher, trash}, t.programFolder.path());
    w.File1.pattern = QStringLiteral("*.jpg");
    QVERIFY(Explore(w, tree.path("f")));
    QVERIFY(highlightRow(w, row));

    ModalAnswers answers({Qt::Key_Left, Qt::Key_Return});
    QTest::keyClick(w.LsvMenu, Qt::Key_Delete);
    QCOMPARE(answers.questions, 1);
    QVERIFY(answers.messages.isEmpty());
    QVERIFY(!QFileInfo::exists(tree.path(item)));
    const QString name = QFileInfo(tree.path(item)).fileName();
    QVERIFY(QFileInfo::exists(tree.path("data/Trash/files/" + name)));
    QFile info(tree.path("data/Trash/info/" + name + ".trashinfo"));
    QVERIFY(info.open(QIODevice::ReadOnly));
    QVERIFY(info.readAll().contains("Path=" + QFile::encodeName(tree.path(item))));
    QVERIFY(!rowTexts(w).contains(row));
    QVERIFY(QFileInfo::exists(tree.path("f/a.jpg")));
}

void TestFileOps::noAndEscapeDeleteNothing_data()
{
    QTest::addColumn<QList<Qt::Key>>("keys");
    QTest::newRow("No is chosen first") << QList<Qt::Key>{Qt::Key_Return};
    QTest::newRow("Sí, then back to No")
        << QList<Qt::Key>{Qt::Key_Left, Qt::Key_Right, Qt::Key_Return};
    QTest::newRow("Escape") << QList<Qt::Key>{Qt::Key_Left, Qt::Key_Escape};
    QTest::newRow("closed from outside with Sí framed")
        << QList<Qt::Key>{Qt::Key_Left, Qt::Key_Close};
}

void TestFileOps::noAndEscapeDeleteNothing()
{
    QFETCH(QList<Qt::Key>, keys);
    const LibraryTree tree({"f/a.jpg"});
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    w.File1.pattern = QStringLiteral("*.jpg");
    QVERIFY(Explore(w, tree.path("f")));
    ModalAnswers answers(keys);
    QTest::keyClick(w.LsvMenu, Qt::Key_Delete);
    QCOMPARE(answers.questions, 1);
    QVERIFY(t.files.asked.isEmpty());
    QVERIFY(QFileInfo::exists(tree.path("f/a.jpg")));
}

void TestFileOps::failureIsToldAndTheListingStays()
{
    const LibraryTree tree({"f/a.jpg"});
    TestWindow t;
    t.files.failing = true;
    t.create();
    MainWindow& w = *t.window;
    w.File1.pattern = QStringLiteral("*.jpg");
    QVERIFY(Explore(w, tree.path("f")));
    const QStringList before = rowTexts(w);
    ModalAnswers answers({Qt::Key_Left, Qt::Key_Return});
    QTest::keyClick(w.LsvMenu, Qt::Key_Delete);
    QCOMPARE(t.files.asked, QStringList({tree.path("f/a.jpg")}));
    QTRY_COMPARE(answers.messages.size(), 1);
    QVERIFY(answers.messages.front().contains("no se pudo"));
    QCOMPARE(rowTexts(w), before);
}

QTEST_MAIN(TestFileOps)
#include "tst_fileops.moc"
