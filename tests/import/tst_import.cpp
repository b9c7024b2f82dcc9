#include "app/mainwindow.h"
#include "form/elements.h"
#include "form/menulist.h"
#include "import/copyengine.h"
#include "import/copyprogress.h"
#include "import/importflow.h"
#include "import/mediasearch.h"
#include "support/files.h"
#include "support/librarytree.h"
#include "support/modalanswers.h"
#include "support/testwindow.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTest>
#include <dirent.h>
#include <dlfcn.h>
#include <sys/mount.h>
#include <thread>
#include <unistd.h>

namespace {
std::atomic<int> g_slowFoldersRead{0};
}

// Stands in for the C library's opendir: a folder named "ilegible" cannot be read, even by
// root, and one named "lento" takes a second, as on a scratched disc.
extern "C" DIR* opendir(const char* name)
{
    const QByteArray path(name);
    if (path.endsWith("/ilegible")) {
        errno = EACCES;
        return nullptr;
    }
    if (path.endsWith("/lento")) {
        ++g_slowFoldersRead;
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    static auto* real = reinterpret_cast<DIR* (*)(const char*)>(dlsym(RTLD_NEXT, "opendir"));
    return real(name);
}

namespace {

const QString kVideo = QStringLiteral("wmv avi mpg mpe mpeg asf");
const QString kMusic = QStringLiteral("mp3 wma ogg wav wave");

// Answers the replace question with the answer at that place in the row ("No" is chosen
// first), and notes every message.
QList<Qt::Key> answering(int place)
{
    QList<Qt::Key> keys{Qt::Key_Left};
    for (int i = 0; i < place; ++i)
        keys << Qt::Key_Right;
    return keys << Qt::Key_Return;
}

QStringList relative(const LibraryTree& tree, const QStringList& paths)
{
    QStringList names;
    for (const QString& path : paths)
        names << QDir(tree.path()).relativeFilePath(path);
    return names;
}

QStringList rowKeys(MainWindow& w)
{
    QStringList keys;
    for (const MenuRow& row : w.LsvMenu->rows().rows())
        keys << row.rowKey();
    return keys;
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

struct Import {
    explicit Import(const QStringList& disc) : tree(disc)
    {
        writeFile(t.programFolder.filePath("folders.ini"),
                  tree.foldersIni("lib/video", "lib/music", "lib/pictures", "tv"));
        QDir().mkpath(tree.path("lib/video"));
        QDir().mkpath(tree.path("lib/music"));
        t.player.driveSpecifiers = {"D:"};
        t.drives.drives = {{u'D', true, "DISCO", tree.path("disc")}};
        t.create();
        w().LsvMenu->selectRow(4);
        w().importScreen.picCopiar->show();
    }
    MainWindow& w() { return *t.window; }
    void import(int choice)
    {
        w().importScreen.List1->setCurrentRow(choice);
        QTest::keyClick(w().importScreen.List1, Qt::Key_Return);
    }
    LibraryTree tree;
    TestWindow t;
};

} // namespace

class TestImport : public QObject {
    Q_OBJECT
private slots:
    void matchingRule_data();
    void matchingRule();
    void searchIsDepthFirst();
    void linkLoopsEnd();
    void musicImportCopiesTheWholeDisc();
    void nothingFoundStillClosesTheScreen();
    void noDriveOrNoDisc_data();
    void noDriveOrNoDisc();
    void sameNameAsksOnce_data();
    void sameNameAsksOnce();
    void cancelLeavesNoHalfFile();
    void failuresLeaveNoHalfFile_data();
    void failuresLeaveNoHalfFile();
    void moveRemovesTheSourceOnlyWhenCopied();
    void anUnreadableFolderIsSkippedAndTold();
    void keysQueuedBeforeTheSearch_data();
    void keysQueuedBeforeTheSearch();
    void escapeDuringTheSearchEndsIt();
    void closingTheProgressPanelCancels();
    void noQuestionAfterACancel();
};

void TestImport::matchingRule_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("list");
    QTest::addColumn<bool>("matches");
    QTest::newRow("listed") << "/d/a.mp3" << kMusic << true;
    QTest::newRow("capitals") << "/d/clip.MPEG" << kVideo << true;
    QTest::newRow("inside a word") << "/d/song.ave" << kMusic << true;
    QTest::newRow("peg") << "/d/x.peg" << kVideo << true;
    QTest::newRow("two letters") << "/d/a.mp" << kMusic << false;
    QTest::newRow("no extension") << "/d/README" << kMusic << false;
    QTest::newRow("dotted folder") << "/d/album.mp3/notes" << kMusic << false;
    QTest::newRow("a run across a space: the rule is a substring test")
        << "/d/x.3 w" << kMusic << true;
    QTest::newRow("other kind") << "/d/a.jpg" << kVideo << false;
}

void TestImport::matchingRule()
{
    QFETCH(QString, path);
    QFETCH(QString, list);
    QTEST(matchesExtensionList(path, list), "matches");
}

void TestImport::searchIsDepthFirst()
{
    const LibraryTree tree({"disc/root.avi", "disc/b/b.avi", "disc/a/a1.avi", "disc/a/x/x.avi",
                            "disc/a/x/y/z/deep.avi", "disc/a/a2.txt", "disc/c/"});
    QStringList found;
    QStringList unreadable;
    QVERIFY(appendMatchingFiles(tree.path("disc"), kVideo, found));
    QCOMPARE(relative(tree, found), QStringList({"disc/root.avi"}));
    FindMedia(tree.path("disc"), kVideo, found, unreadable);
    QCOMPARE(relative(tree, found), QStringList({"disc/root.avi", "disc/a/a1.avi", "disc/a/x/x.avi",
                                                 "disc/a/x/y/z/deep.avi", "disc/b/b.avi"}));
    QVERIFY(unreadable.isEmpty());

    // Files only in the root: the search below it adds nothing.
    const LibraryTree flat({"disc/one.avi", "disc/two.avi"});
    QStringList below;
    FindMedia(flat.path("disc"), kVideo, below, unreadable);
    QVERIFY(below.isEmpty());
}

void TestImport::linkLoopsEnd()
{
    const LibraryTree tree({"disc/a/song.mp3"});
    QVERIFY(QFile::link(tree.path("disc"), tree.path("disc/a/back")));
    QStringList found;
    QStringList unreadable;
    FindMedia(tree.path("disc"), kMusic, found, unreadable);
    QCOMPARE(relative(tree, found), QStringList({"disc/a/song.mp3"}));
    FindMedia(tree.path("missing"), kMusic, found, unreadable);
    QCOMPARE(unreadable, QStringList({tree.path("missing")}));
}

void TestImport::musicImportCopiesTheWholeDisc()
{
    Import i({"disc/top.mp3", "disc/film.avi", "disc/x/song.ave", "disc/x/y/deep.WAV",
              "lib/music/old.mp3"});
    ModalAnswers answers(answering(1));
    const QStringList menu = rowKeys(i.w());
    i.import(1);
    QCOMPARE(filesIn(i.tree.path("lib/music")),
             QStringList({"deep.WAV", "old.mp3", "song.ave", "top.mp3"}));
    QVERIFY(filesIn(i.tree.path("lib/video")).isEmpty());
    QVERIFY(i.w().importScreen.picCopiar->isHidden());
    QVERIFY(i.w().importScreen.PicBuscando->isHidden());
    QCOMPARE(answers.messages, QStringList());
    QCOMPARE(i.w().LsvMenu->rows().rowCount(), menu.size());
    QCOMPARE(i.w().LsvMenu->selectedRow(), 4);
    QVERIFY(i.t.launcher.started.isEmpty());
}

void TestImport::nothingFoundStillClosesTheScreen()
{
    Import i({"disc/readme.txt"});
    ModalAnswers answers(answering(1));
    i.import(0);
    QVERIFY(i.w().importScreen.picCopiar->isHidden());
    QVERIFY(filesIn(i.tree.path("lib/video")).isEmpty());
    QVERIFY(answers.messages.isEmpty());
}

void TestImport::noDriveOrNoDisc_data()
{
    QTest::addColumn<bool>("drive");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("message");
    QTest::newRow("no drive") << false << "" << "No hay ninguna unidad de disco en este equipo.";
    QTest::newRow("no disc") << true << "" << "No hay ningún disco en la unidad D:.";
    QTest::newRow("a disc that will not mount")
        << true << "el disco no se pudo abrir"
        << "No se puede leer el disco de la unidad D: (el disco no se pudo abrir).";
}

void TestImport::noDriveOrNoDisc()
{
    QFETCH(bool, drive);
    QFETCH(QString, problem);
    Import i({"disc/a.avi"});
    if (drive)
        i.t.drives.drives.front() = {u'D', false, "DISCO", {}, !problem.isEmpty(), problem};
    else
        i.t.player.driveSpecifiers.clear();
    ModalAnswers answers(answering(1));
    i.import(0);
    QFETCH(QString, message);
    QCOMPARE(answers.messages, QStringList({message}));
    QVERIFY(!i.w().importScreen.picCopiar->isHidden());
    QVERIFY(i.w().importScreen.PicBuscando->isHidden());
    QVERIFY(filesIn(i.tree.path("lib/video")).isEmpty());
}

void TestImport::sameNameAsksOnce_data()
{
    QTest::addColumn<int>("answer"); // Sí, No, Sí a todo, Cancelar
    QTest::addColumn<QByteArray>("kept");
    QTest::newRow("Sí") << 0 << QByteArray("second");
    QTest::newRow("No") << 1 << QByteArray("first");
    QTest::newRow("Sí a todo") << 2 << QByteArray("second");
    QTest::newRow("Cancelar") << 3 << QByteArray("first");
}

void TestImport::sameNameAsksOnce()
{
    QFETCH(int, answer);
    Import i({});
    QVERIFY(writeFile(i.tree.path("disc/a/clip.avi"), "first"));
    QVERIFY(writeFile(i.tree.path("disc/b/clip.avi"), "second"));
    ModalAnswers answers(answering(answer));
    i.import(0);
    QCOMPARE(answers.questions, 1);
    QFile copied(i.tree.path("lib/video/clip.avi"));
    QVERIFY(copied.open(QIODevice::ReadOnly));
    QTEST(copied.readAll(), "kept");
    QCOMPARE(filesIn(i.tree.path("lib/video")), QStringList({"clip.avi"}));
}

void TestImport::cancelLeavesNoHalfFile()
{
    const LibraryTree tree({"disc/a.avi", "lib/"});
    QVERIFY(writeFile(tree.path("disc/b.avi"), QByteArray(20 << 20, 'b')));
    CopyEngine engine({tree.path("disc/a.avi"), tree.path("disc/b.avi")}, tree.path("lib"), false);
    connect(
        &engine, &CopyEngine::bytesCopied, &engine,
        [&](qint64 done) {
            if (done > 0 && done < (20 << 20) && done != 1)
                engine.cancel();
        },
        Qt::DirectConnection);
    engine.run();
    QVERIFY(engine.cancelled());
    QCOMPARE(filesIn(tree.path("lib")), QStringList({"a.avi"}));
    QVERIFY(engine.failures().isEmpty());
}

void TestImport::failuresLeaveNoHalfFile_data()
{
    QTest::addColumn<QString>("problem");
    QTest::newRow("destination missing") << "missing";
    QTest::newRow("destination full") << "full";
    QTest::newRow("source vanished") << "vanished";
}

void TestImport::failuresLeaveNoHalfFile()
{
    QFETCH(QString, problem);
    const LibraryTree tree({"lib/"});
    QVERIFY(writeFile(tree.path("disc/big.avi"), QByteArray(2 << 20, 'x')));
    QVERIFY(writeFile(tree.path("disc/small.avi"), "small"));
    QString destination = tree.path("lib");
    if (problem == u"missing")
        destination = tree.path("nowhere");
    if (problem == u"full") {
        // A 1 MiB file system: the 2 MiB file cannot fit. Mounting needs root, as CI has.
        if (geteuid() != 0)
            QSKIP("a full disc is made by mounting a 1 MiB tmpfs, which needs root");
        QVERIFY2(mount("sofavio-test", QFile::encodeName(destination).constData(), "tmpfs", 0,
                       "size=1m") == 0,
                 "mounting a small tmpfs needs root");
        QVERIFY(writeFile(tree.path("lib/old.avi"), "library file"));
    }
    QStringList sources{tree.path("disc/big.avi"), tree.path("disc/small.avi")};
    if (problem == u"vanished")
        sources.prepend(tree.path("disc/gone.avi"));
    CopyEngine engine(sources, destination, false);
    engine.run();
    const QStringList left = filesIn(destination);
    const QStringList failures = engine.failures();
    if (problem == u"full")
        umount(QFile::encodeName(destination).constData());

    QCOMPARE(failures.size(), 1);
    if (problem == u"missing") {
        QVERIFY(!QFileInfo::exists(destination));
        QVERIFY(failures.front().contains("no existe"));
    } else if (problem == u"full") {
        QCOMPARE(left, QStringList({"old.avi", "small.avi"}));
        QVERIFY2(failures.front().startsWith("big.avi: no queda espacio"),
                 qPrintable(failures.front()));
    } else {
        QCOMPARE(left, QStringList({"big.avi", "small.avi"}));
        QVERIFY(failures.front().startsWith("gone.avi: "));
    }
}

void TestImport::moveRemovesTheSourceOnlyWhenCopied()
{
    const LibraryTree tree({"disc/a.mp3", "lib/"});
    CopyEngine engine({tree.path("disc/a.mp3"), tree.path("disc/none.mp3")}, tree.path("lib"),
                      true);
    engine.run();
    QCOMPARE(filesIn(tree.path("lib")), QStringList({"a.mp3"}));
    QVERIFY(!QFileInfo::exists(tree.path("disc/a.mp3")));
    QCOMPARE(engine.failures().size(), 1);
    QCOMPARE(engine.copiedCount(), 1);
}

void TestImport::anUnreadableFolderIsSkippedAndTold()
{
    Import i({"disc/a/top.mp3", "disc/ilegible/x.mp3", "disc/z/end.mp3"});
    ModalAnswers answers({});
    i.import(1);
    QCOMPARE(filesIn(i.tree.path("lib/music")), QStringList({"end.mp3", "top.mp3"}));
    QCOMPARE(answers.messages, QStringList({"No se pudieron leer estas carpetas del disco:\n" +
                                            i.tree.path("disc/ilegible")}));
    QVERIFY(i.w().importScreen.picCopiar->isHidden());
}

void TestImport::keysQueuedBeforeTheSearch_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QStringList>("copied");
    // The file of the same name is asked about once: a second import would ask again.
    QTest::newRow("a second Enter") << Qt::Key_Return << 1 << QStringList({"clip.avi", "new.avi"});
    QTest::newRow("Escape") << Qt::Key_Escape << 0 << QStringList({"clip.avi"});
}

void TestImport::keysQueuedBeforeTheSearch()
{
    QFETCH(Qt::Key, key);
    Import i({"disc/x/clip.avi", "disc/x/new.avi", "lib/video/clip.avi"});
    ModalAnswers answers(answering(1));
    // Waiting while the notice is painted, as a key pressed twice quickly is.
    QCoreApplication::postEvent(i.w().importScreen.List1, new QKeyEvent(QEvent::KeyPress, key, {}));
    i.import(0);
    QTEST(answers.questions, "questions");
    QTEST(filesIn(i.tree.path("lib/video")), "copied");
    QVERIFY(i.w().importScreen.picCopiar->isHidden());
    QVERIFY(i.w().importScreen.PicBuscando->isHidden());
    QCOMPARE(answers.messages, QStringList());
}

void TestImport::escapeDuringTheSearchEndsIt()
{
    Import i({"disc/lento/a.avi", "disc/lento/lento/b.avi", "disc/z/c.avi"});
    ModalAnswers answers({});
    QTimer::singleShot(100, i.w().importScreen.List1,
                       [&] { QTest::keyClick(i.w().importScreen.List1, Qt::Key_Escape); });
    g_slowFoldersRead = 0;
    i.import(0);
    QCOMPARE(g_slowFoldersRead.load(), 1); // the folder being read when Escape came, no other
    QCOMPARE(filesIn(i.tree.path("lib/video")), QStringList());
    QVERIFY(i.w().importScreen.picCopiar->isHidden());
    QVERIFY(i.w().importScreen.PicBuscando->isHidden());
    QVERIFY(rowKeys(i.w()).contains("copiar")); // the main menu
    QCOMPARE(answers.messages, QStringList());
}

void TestImport::closingTheProgressPanelCancels()
{
    const LibraryTree tree({"lib/b.avi"});
    QVERIFY(writeFile(tree.path("disc/a.avi"), QByteArray(64 << 20, 'a')));
    QVERIFY(writeFile(tree.path("disc/b.avi"), "new b"));
    CopyEngine engine({tree.path("disc/a.avi"), tree.path("disc/b.avi")}, tree.path("lib"), false);
    CopyProgressPanel panel(nullptr, engine);
    ModalAnswers answers({Qt::Key_Escape});
    // Closed by a window manager as soon as it shows.
    QTimer closer;
    connect(&closer, &QTimer::timeout, &panel, [&] {
        if (panel.isVisible())
            panel.close();
    });
    closer.start(1);
    // Had the copy gone on behind the closed panel, it would wait for ever for its question
    // to be answered; this answers it after a while, so the test fails instead of hanging.
    std::atomic<bool> done{false};
    std::atomic<bool> rescued{false};
    std::thread watchdog([&] {
        for (int i = 0; i < 500 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!done) {
            rescued = true;
            engine.cancel();
        }
    });
    panel.runModal();
    done = true;
    watchdog.join();
    QVERIFY(!rescued);
    QVERIFY(engine.cancelled());
    QCOMPARE(answers.questions, 0);
    QCOMPARE(readFile(tree.path("lib/b.avi")), QByteArray("x"));
    QVERIFY(!filesIn(tree.path("lib")).join(u' ').contains("sofavio-parcial"));
}

void TestImport::noQuestionAfterACancel()
{
    const LibraryTree tree({"disc/a.avi", "lib/a.avi"});
    CopyEngine engine({tree.path("disc/a.avi")}, tree.path("lib"), false);
    CopyProgressPanel panel(nullptr, engine);
    ModalAnswers answers({Qt::Key_Escape});
    engine.cancel();
    emit engine.replaceAsked("a.avi"); // asked before the cancel, heard after it
    QCOMPARE(answers.questions, 0);
}

QTEST_MAIN(TestImport)
#include "tst_import.moc"
