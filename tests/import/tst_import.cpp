// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow.h"
#include "form/elements.h"
#include "form/menulist.h"
#include "import/copyengine.h"
#include "import/copyprogress.h"
#include "import/mediasearch.h"
#include "menu/folderbrowser.h"
#include "platform/desktopfileoperations.h"
#include "support/files.h"
#include "support/librarytree.h"
#include "support/menudriver.h"
#include "support/modalanswers.h"
#include "support/testwindow.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QSemaphore>
#include <QTest>
#include <QThreadPool>
#include <dirent.h>
#include <dlfcn.h>
#include <sys/mount.h>
#include <thread>
#include <unistd.h>

namespace {
std::atomic<int> g_slowFoldersRead{0};
const std::thread::id g_mainThread = std::this_thread::get_id();
} // namespace

// Stands in for the C library's opendir: a folder named "ilegible" cannot be read by the disc's
// search, even as root (the test's own clean-up, on the main thread, can), and one named "lento"
// takes a second, as on a scratched disc.
extern "C" DIR* opendir(const char* name)
{
    const QByteArray path(name);
    if (path.endsWith("/ilegible") && std::this_thread::get_id() != g_mainThread) {
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

// Runs `work`; if it has not returned in five seconds, ends the test program saying `hang`.
void failIfItHangs(const char* hang, const std::function<void()>& work)
{
    QSemaphore ended;
    std::thread watchdog([&] {
        if (!ended.tryAcquire(1, 5000))
            qFatal("%s", hang);
    });
    work();
    ended.release();
    watchdog.join();
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// The real window over fakes, but for the trash: the desktop's own, inside the tree. A disc is
// in drive D:, whose row is highlighted in the main menu, where an Enter meant for the import
// would open it.
struct Library {
    explicit Library(const QStringList& files)
        : tree(files + QStringList{"lib/video/", "lib/music/", "data/"})
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(tree.path("data")));
        writeFile(t.programFolder.filePath("folders.ini"),
                  tree.foldersIni("lib/video", "lib/music", "lib/pictures", "tv"));
        t.player.driveSpecifiers = {"D:"};
        t.drives.drives = {{u'D', true, "DISCO", tree.path("disc")}};
        t.window = std::make_unique<MainWindow>(Services{t.player, t.drives, t.launcher, trash},
                                                t.programFolder.path());
        t.window->LsvMenu->selectRow(4);
    }
    MainWindow& w() { return *t.window; }
    void import(int choice)
    {
        w().importScreen.picCopiar->show();
        w().importScreen.List1->setCurrentRow(choice);
        QTest::keyClick(w().importScreen.List1, Qt::Key_Return);
    }
    LibraryTree tree;
    DesktopFileOperations trash;
    TestWindow t;
};

} // namespace

class TestImport : public QObject {
    Q_OBJECT
private slots:
    void searchIsDepthFirstWithoutLinks();
    void importFromTheDisc_data();
    void importFromTheDisc();
    void sameNameAsksOnce_data();
    void sameNameAsksOnce();
    void noHalfFileIsLeft_data();
    void noHalfFileIsLeft();
    void leavingEndsTheImport_data();
    void leavingEndsTheImport();
    void closingTheProgressPanelCancels();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
};

void TestImport::searchIsDepthFirstWithoutLinks()
{
    const LibraryTree tree({"disc/root.avi", "disc/b/b.avi", "disc/a/a1.avi", "disc/a/x/x.avi",
                            "disc/a/x/y/z/deep.avi", "disc/a/a2.txt", "disc/c/"});
    QVERIFY(QFile::link(tree.path("disc"), tree.path("disc/a/back"))); // a loop, if followed
    QStringList found;
    QStringList unreadable;
    QVERIFY(appendMatchingFiles(tree.path("disc"), kImportVideoExtensions, found));
    FindMedia(tree.path("disc"), kImportVideoExtensions, found, unreadable);
    QCOMPARE(
        found.replaceInStrings(tree.path("disc"), ""),
        QStringList({"/root.avi", "/a/a1.avi", "/a/x/x.avi", "/a/x/y/z/deep.avi", "/b/b.avi"}));
}

void TestImport::importFromTheDisc_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("drive");      // empty, or why its disc will not mount
    QTest::addColumn<int>("choice");         // videos, music
    QTest::addColumn<int>("waiting");        // a key pressed again while the notice is painted
    QTest::addColumn<QStringList>("copied"); // the library folder's files after
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("message"); // "<disc>" stands for the disc's root
    const QStringList none;
    const QStringList film{"disc/a.avi"};
    QTest::newRow("music, the whole disc")
        << QStringList{"disc/top.mp3", "disc/film.avi", "disc/x/song.ave", "disc/x/y/deep.WAV",
                       "lib/music/old.mp3"}
        << "" << 1 << 0 << QStringList{"deep.WAV", "old.mp3", "song.ave", "top.mp3"} << 0 << "";
    QTest::newRow("nothing found") << QStringList{"disc/a.txt"} << "" << 0 << 0 << none << 0 << "";
    QTest::newRow("an unreadable folder")
        << QStringList{"disc/a/top.mp3", "disc/ilegible/x.mp3", "disc/z/end.mp3"} << "" << 1 << 0
        << QStringList{"end.mp3", "top.mp3"} << 0
        << "No se pudieron leer estas carpetas del disco:\n<disc>/ilegible";
    QTest::newRow("an unreadable disc")
        << QStringList{"disc/ilegible/x.mp3"} << "ilegible" << 1 << 0 << none << 0
        << "No se pudieron leer estas carpetas del disco:\n<disc>";
    QTest::newRow("no disc") << film << "empty" << 0 << 0 << none << 0
                             << "No hay ningún disco en la unidad D:.";
    QTest::newRow("a disc that will not mount")
        << film << "el disco no se pudo abrir" << 0 << 0 << none << 0
        << "No se puede leer el disco de la unidad D: (el disco no se pudo abrir).";
    // The file of the same name is asked about once: a second import would ask again.
    const QStringList sameName{"disc/x/clip.avi", "disc/x/new.avi", "lib/video/clip.avi"};
    QTest::newRow("a second Enter") << sameName << "" << 0 << int(Qt::Key_Return)
                                    << QStringList{"clip.avi", "new.avi"} << 1 << "";
    QTest::newRow("Escape") << sameName << "" << 0 << int(Qt::Key_Escape) << QStringList{"clip.avi"}
                            << 0 << "";
}

void TestImport::importFromTheDisc()
{
    QFETCH(QStringList, files);
    QFETCH(QString, drive);
    QFETCH(int, choice);
    QFETCH(int, waiting);
    QFETCH(QString, message);
    Library l(files);
    if (drive == u"ilegible")
        l.t.drives.drives.front().root = l.tree.path("disc/ilegible");
    else if (drive == u"empty")
        l.t.drives.drives.front() = OpticalDrive(u'D');
    else if (!drive.isEmpty())
        l.t.drives.drives.front() = OpticalDrive(u'D', false, "DISCO", {}, true, drive);
    ModalAnswers answers({Qt::Key_Return}); // "No", chosen first
    const QStringList menu = rowTexts(l.w());
    if (waiting) {
        QCoreApplication::postEvent(l.w().importScreen.List1,
                                    new QKeyEvent(QEvent::KeyPress, waiting, {}));
    }
    l.import(choice);
    QTEST(filesIn(l.tree.path(choice ? "lib/music" : "lib/video")), "copied");
    QTEST(int(answers.asked.size()), "questions");
    message.replace("<disc>", l.t.drives.drives.front().root);
    QCOMPARE(answers.messages, message.isEmpty() ? QStringList() : QStringList{message});
    // Without a disc the screen stays for another try; the notice goes in every case.
    QCOMPARE(l.w().importScreen.picCopiar->isHidden(), drive.isEmpty() || drive == u"ilegible");
    QVERIFY(l.w().importScreen.PicBuscando->isHidden());
    QCOMPARE(rowTexts(l.w()), menu);
}

void TestImport::sameNameAsksOnce_data()
{
    QTest::addColumn<QList<Qt::Key>>("keys"); // "No" is chosen first
    QTest::addColumn<QByteArray>("kept");     // "x" is the first one's
    QTest::newRow("Sí") << QList<Qt::Key>{Qt::Key_Left, Qt::Key_Return} << QByteArray("second");
    QTest::newRow("No") << QList<Qt::Key>{Qt::Key_Return} << QByteArray("x");
    QTest::newRow("Cancelar") << QList<Qt::Key>{Qt::Key_Left, Qt::Key_Left, Qt::Key_Return}
                              << QByteArray("x");
}

void TestImport::sameNameAsksOnce()
{
    QFETCH(QList<Qt::Key>, keys);
    Library l({"disc/a/clip.avi"});
    QVERIFY(writeFile(l.tree.path("disc/b/clip.avi"), "second"));
    ModalAnswers answers(keys);
    l.import(0);
    QCOMPARE(answers.asked.size(), 1);
    QTEST(readFile(l.tree.path("lib/video/clip.avi")), "kept");
}

void TestImport::noHalfFileIsLeft_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QStringList>("copied");
    QTest::addColumn<QStringList>("kept"); // on the disc: a file moves only once it is copied
    QTest::addColumn<QString>("failure");
    QTest::newRow("cancelled") << "cancelled" << QStringList()
                               << QStringList{"big.avi", "small.avi"} << "";
    QTest::newRow("destination missing")
        << "missing" << QStringList() << QStringList{"big.avi", "small.avi"} << "no existe";
    QTest::newRow("destination full") << "full" << QStringList{"old.avi", "small.avi"}
                                      << QStringList{"big.avi"} << "big.avi: no queda espacio";
    QTest::newRow("source vanished")
        << "vanished" << QStringList{"big.avi", "small.avi"} << QStringList() << "gone.avi: ";
    // Another program writes the same name while the copy runs: its file stays as it is.
    QTest::newRow("name taken meanwhile")
        << "taken" << QStringList{"big.avi", "small.avi"} << QStringList{"big.avi"} << "big.avi: ";
}

void TestImport::noHalfFileIsLeft()
{
    QFETCH(QString, problem);
    const LibraryTree tree({"lib/", "disc/small.avi"});
    QVERIFY(writeFile(tree.path("disc/big.avi"), QByteArray(4 << 20, 'x'))); // two chunks
    const QString destination = tree.path(problem == u"missing" ? "nowhere" : "lib");
    if (problem == u"full") {
        // A 1 MiB file system: the 4 MiB file cannot fit. Mounting needs root, as CI has.
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
    CopyEngine engine(sources, destination, true);
    connect(&engine, &CopyEngine::bytesCopied, &engine, [&](qint64 done) {
        if (problem == u"cancelled" && done > 0 && done < (4 << 20))
            engine.cancel(); // in the middle of the big file
        if (problem == u"taken" && done > 0 && !QFile::exists(tree.path("lib/big.avi")))
            writeFile(tree.path("lib/big.avi"), "another program's");
    });
    engine.run();
    const QStringList copied = filesIn(destination);
    if (problem == u"full")
        umount(QFile::encodeName(destination).constData());

    QTEST(copied, "copied");
    if (problem == u"taken")
        QCOMPARE(readFile(tree.path("lib/big.avi")), "another program's");
    QTEST(filesIn(tree.path("disc")), "kept");
    QFETCH(QString, failure);
    QCOMPARE(engine.failures().size(), failure.isEmpty() ? 0 : 1);
    QVERIFY2(engine.failures().join("").contains(failure), qPrintable(engine.failures().join("")));
}

void TestImport::leavingEndsTheImport_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("quitting"); // or Escape, once the search reads a slow folder or a
                                        // question is asked
    QTest::addColumn<int>("slowFoldersRead");
    QTest::addColumn<QStringList>("library");
    const QStringList slowDisc{"disc/lento/a.avi", "disc/lento/lento/b.avi", "disc/z/c.avi"};
    QTest::newRow("Escape during the search") << slowDisc << false << 1 << QStringList();
    QTest::newRow("quitting during the search") << slowDisc << true << 1 << QStringList();
    // Both are already there: quitting at the first question must not leave the copy waiting
    // for an answer to the second.
    QTest::newRow("quitting at a question")
        << QStringList{"disc/a.avi", "disc/b.avi", "lib/video/a.avi", "lib/video/b.avi"} << true
        << 0 << QStringList{"a.avi", "b.avi"};
}

void TestImport::leavingEndsTheImport()
{
    // Quitting ends the application's loop and every loop inside it: the import ends at once,
    // nothing of it left running.
    QFETCH(QStringList, files);
    QFETCH(bool, quitting);
    Library l(files);
    g_slowFoldersRead = 0;
    QTimer leave;
    connect(&leave, &QTimer::timeout, this, [&] {
        const QWidget* modal = QApplication::activeModalWidget();
        if (g_slowFoldersRead == 0 && !(modal && modal->objectName() == u"Confirmation"))
            return;
        leave.stop();
        if (quitting)
            l.w().close(); // as SALIR and the desktop's Quit do
        else
            QTest::keyClick(l.w().importScreen.List1, Qt::Key_Escape);
    });
    leave.start(10);
    l.w().show();
    QTimer::singleShot(0, this, [&] {
        l.import(0);
        if (!quitting)
            QCoreApplication::quit();
    });
    failIfItHangs("the import goes on after it was left", &QCoreApplication::exec);
    QTEST(g_slowFoldersRead.load(), "slowFoldersRead"); // the folder being read then, no other
    QCOMPARE(QThreadPool::globalInstance()->activeThreadCount(), 0);
    QTEST(filesIn(l.tree.path("lib/video")), "library");
    QVERIFY(l.w().importScreen.PicBuscando->isHidden());
}

void TestImport::closingTheProgressPanelCancels()
{
    const LibraryTree tree({"lib/b.avi", "disc/b.avi"});
    QVERIFY(writeFile(tree.path("disc/a.avi"), QByteArray(64 << 20, 'a')));
    CopyEngine engine({tree.path("disc/a.avi"), tree.path("disc/b.avi")}, tree.path("lib"), false);
    CopyProgressPanel panel(nullptr, engine);
    ModalAnswers answers({Qt::Key_Escape});
    QTimer::singleShot(0, &panel, &QWidget::close); // by a window manager, as soon as it shows
    // Had the copy gone on behind the closed panel, it would wait for ever for its question
    // to be answered.
    failIfItHangs("the copy goes on behind the closed panel", [&] { panel.runModal(); });
    emit engine.replaceAsked("b.avi"); // asked before the cancel, heard after it
    QCOMPARE(answers.asked.size(), 0);
    QCOMPARE(filesIn(tree.path("lib")), QStringList({"b.avi"})); // no half file either
}

void TestImport::deleteAsksFirst_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QList<Qt::Key>>("keys");
    QTest::addColumn<bool>("blocked"); // a file where the trash's folder would be made
    QTest::addColumn<bool>("trashed");
    const QList<Qt::Key> yes{Qt::Key_Left, Qt::Key_Return};
    QTest::newRow("Sí") << "sub" << yes << false << true;
    QTest::newRow("No is chosen first")
        << "sub" << QList<Qt::Key>{Qt::Key_Return} << false << false;
    QTest::newRow("Escape") << "sub" << QList<Qt::Key>{Qt::Key_Left, Qt::Key_Escape} << false
                            << false;
    QTest::newRow("closed from outside with Sí framed")
        << "sub" << QList<Qt::Key>{Qt::Key_Left, Qt::Key_Close} << false << false;
    QTest::newRow("the trash cannot be made") << "sub" << yes << true << false;
    // Its key, "Back", is no path, though the working folder has a file of that name.
    QTest::newRow("a fixed row is not asked about") << "ATRÁS" << yes << false << false;
}

void TestImport::deleteAsksFirst()
{
    QFETCH(QString, row);
    QFETCH(QList<Qt::Key>, keys);
    QFETCH(bool, blocked);
    QFETCH(bool, trashed);
    Library l({"f/sub/b.jpg", "f/Back"});
    QVERIFY(QDir::setCurrent(l.tree.path("f")));
    if (blocked)
        QVERIFY(writeFile(l.tree.path("data/Trash"), "in the way"));
    QVERIFY(listFolder(l.w(), l.tree.path("f")));
    QVERIFY(highlightRow(l.w(), row));
    ModalAnswers answers(keys);
    QTest::keyClick(l.w().LsvMenu, Qt::Key_Delete);
    QCOMPARE(answers.asked.size(), row == u"sub" ? 1 : 0);
    QCOMPARE(answers.messages.size(), int(blocked)); // a failure is told
    QCOMPARE(QFileInfo::exists(l.tree.path("data/Trash/files/sub/b.jpg")), trashed);
    QCOMPARE(rowTexts(l.w()).contains("sub"), !trashed);
}

QTEST_MAIN(TestImport)
#include "tst_import.moc"
