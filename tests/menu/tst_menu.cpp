// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/elements.h"
#include "form/menulist.h"
#include "form/twips.h"
#include "media/resumestore.h"
#include "pictures/pictureviewer.h"
#include "support/files.h"
#include "support/librarytree.h"
#include "support/menudriver.h"
#include "support/modalanswers.h"
#include "support/testwindow.h"

#include <QFile>
#include <QListWidget>
#include <QStorageInfo>
#include <QTest>
#include <QTimer>

namespace {

const QStringList kTree =
    QStringList{"Musica/Live.2004/a.mp3", "Musica/Trip.jpg/inside.mp3", "Musica/vacía/",
                "Musica/Song.MP3",        "Musica/Photo.JPG",           "Musica/folder.jpg"} +
    QStringList{"Videos/film.avi", "Videos/song.mp3", "Fotos/a.jpg",
                "Fotos/b.JPG",     "Fotos/c.wmf",     "Fotos/clip.avi"};
const QString kTv = QStringLiteral("tvtime --device '/dev/video0' ; rm -rf $(HOME)");

const QStringList kFixed{"ATRÁS", "REPRODUCIR TODO", "MENU PRINCIPAL"};
const QStringList kMainMenu{"Mi TV",        "Mi Cine",          "Mi Música",
                            "Mis Imágenes", "Copiar Media ...", "SALIR"};
const QStringList kMenuWithDrives{
    "Mi TV",      "Mi Cine",    "Mi Música",        "Mis Imágenes", "D: [No Disponible]",
    "E: [FILMS]", "F: [NUEVO]", "Copiar Media ...", "SALIR"};
const QStringList kMusic = kFixed + QStringList{"bucle", "Live", "Trip", "vacía", "Song.MP3"};
const QStringList kPictures = kFixed + QStringList{"a.jpg", "b.JPG", "c.wmf"};
const QStringList kDisc = kFixed + QStringList{"a.jpg", "b.JPG", "clip.avi"};

// The real window over fakes on a library tree of its own, in whose music a link leads back
// up. Every modal window that opens is noted and closed, so a wrong one fails the test instead
// of hanging it.
class Navigation {
public:
    Navigation()
    {
        QFile::link(library.path("Musica"), library.path("Musica/bucle"));
        QObject::connect(&m_closer, &QTimer::timeout, &m_closer, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            if (auto* viewer = qobject_cast<PictureViewer*>(modal))
                modals << QStringLiteral("viewer %1 %2 @%3")
                              .arg(viewer->File1.path, viewer->File1.entries.join(u' '))
                              .arg(viewer->ListIndex);
            else
                modals << modal->objectName() + u' ' + modal->metaObject()->className();
            modal->close();
        });
        m_closer.start(10);
    }

    MainWindow& start()
    {
        writeFile(t.programFolder.filePath("folders.ini"),
                  library.foldersIni("Videos", "Musica", "Fotos", kTv));
        t.create();
        return *t.window;
    }

    bool choose(const QString& text) { return chooseRow(*t.window, text); }
    QStringList rowTexts() { return ::rowTexts(*t.window); }
    QString title() { return t.window->LblTitle->text(); }

    // What the choices did beyond the window: the player's calls, the windows that opened and
    // the programs started, the library's path written %1.
    QString outcome() const
    {
        QStringList done = t.player.calls + modals;
        for (const QString& command : t.launcher.started)
            done << "start " + command;
        return done.join(u' ').replace(library.path(), "%1");
    }

    LibraryTree library{kTree};
    TestWindow t;
    QStringList modals;

private:
    QTimer m_closer;
};

} // namespace

class TestMenu : public QObject {
    Q_OBJECT
private slots:
    void choices_data();
    void choices();
    void backClimbsToTheVolumeRootThenTheMenu();
    void aDiscsRootHasNoTitle();
    void aClickChoosesARowButNotUnderTheImportScreen();
    void backspaceInTheMainMenuStartsTv();
    void listsWhatIsOnDiskNow();
    void aFilmLeftPartWayAsksWhereToGoOn_data();
    void aFilmLeftPartWayAsksWhereToGoOn();
};

void TestMenu::choices_data()
{
    QTest::addColumn<QStringList>("choices");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("highlighted");
    QTest::addColumn<bool>("pictureMode");
    QTest::addColumn<QString>("outcome");
    const QString menuTitle = QStringLiteral("Telarino 0.1a");
    const QStringList back{"Mis Imágenes", "MENU PRINCIPAL"};

    QTest::newRow("empty folder") << QStringList{"Mi Música", "vacía"} << "vacía" << kFixed << 0
                                  << false << "";
    QTest::newRow("dotted folder shown without its ending, opened whole")
        << QStringList{"Mi Música", "Live"} << "Live" << kFixed + QStringList{"a.mp3"} << 3 << false
        << "";
    QTest::newRow("folder named like a picture opens as a folder")
        << QStringList{"Mi Música", "Trip"} << "Trip" << kFixed + QStringList{"inside.mp3"} << 3
        << false << "";
    QTest::newRow("videos only") << QStringList{"Mi Cine"} << "Videos"
                                 << kFixed + QStringList{"film.avi"} << 3 << false << "";
    QTest::newRow("the music after the pictures clears picture mode")
        << back + QStringList{"Mi Música"} << "Musica" << kMusic << 3 << false << "";
    QTest::newRow("a song plays, whatever the case of its name, down a link back up")
        << QStringList{"Mi Música", "bucle", "bucle", "Song.MP3"} << "bucle" << kMusic << 7 << false
        << "URL %1/Musica/bucle/bucle/Song.MP3 play";
    QTest::newRow("a metafile chosen joins the viewer's list")
        << QStringList{"Mis Imágenes", "c.wmf"} << "Fotos" << kPictures << 5 << true
        << "viewer %1/Fotos a.jpg b.JPG c.wmf @2";
    QTest::newRow("a drive without a disc does nothing")
        << back + QStringList{"D: [No Disponible]"} << menuTitle << kMenuWithDrives << 4 << true
        << "";
    QTest::newRow("a disc lists all media")
        << QStringList{"Mi Música", "MENU PRINCIPAL", "E: [FILMS]"} << "Fotos" << kDisc << 3
        << false << "";
    QTest::newRow("a disc keeps picture mode, its viewer pictures only")
        << back + QStringList{"E: [FILMS]", "b.JPG"} << "Fotos" << kDisc << 4 << true
        << "viewer %1/Fotos a.jpg b.JPG @1";
    QTest::newRow("TV, its line run as written") << back + QStringList{"Mi TV"} << menuTitle
                                                 << kMenuWithDrives << 0 << false << "start " + kTv;
}

void TestMenu::choices()
{
    QFETCH(QStringList, choices);
    Navigation n;
    MainWindow& w = n.start();
    // Discs come after the window is up: the main menu reads them each time it is shown. A
    // disc in but not mounted yet is shown by its label, to be mounted when chosen.
    n.t.drives.drives = {{u'D', false, {}, {}},
                         {u'E', true, "FILMS", n.library.path("Fotos")},
                         {u'F', false, "NUEVO", {}, true}};
    w.playback.StoppedByUser = true;
    for (const QString& choice : choices)
        QVERIFY(n.choose(choice));
    QTEST(n.title(), "title");
    QTEST(n.rowTexts(), "rows");
    QTEST(w.LsvMenu->selectedRow(), "highlighted");
    QTEST(w.record.PictureMode, "pictureMode");
    QTEST(n.outcome(), "outcome");
    // Playing a file chosen undoes an earlier stop.
    QCOMPARE(w.playback.StoppedByUser, n.t.player.calls.isEmpty());
}

void TestMenu::backClimbsToTheVolumeRootThenTheMenu()
{
    Navigation n;
    MainWindow& w = n.start();
    QVERIFY(n.choose("Mi Música"));
    const QString volumeRoot = QStorageInfo(n.library.path()).rootPath();
    QString lastFolder;
    for (int step = 0; step < 64 && w.LsvMenu->rows().row(0).rowKey() == u"Back"; ++step) {
        lastFolder = w.Dir1.path;
        QTest::keyClick(w.LsvMenu, Qt::Key_Backspace);
    }
    QCOMPARE(n.rowTexts(), kMainMenu);
    QCOMPARE(QFileInfo(lastFolder).canonicalFilePath(), QFileInfo(volumeRoot).canonicalFilePath());
}

void TestMenu::aDiscsRootHasNoTitle()
{
    // A disc's root is its mount point, whose own name is not the disc's.
    QString mountPoint;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.rootPath() != u"/" && volume.isReady() && QDir(volume.rootPath()).isReadable())
            mountPoint = volume.rootPath();
    }
    if (mountPoint.isEmpty())
        QSKIP("this machine has no mounted volume besides /");
    Navigation n;
    n.t.drives.drives = {{u'D', true, "DISCO", mountPoint}};
    MainWindow& w = n.start();
    QVERIFY(n.choose("D: [DISCO]"));
    QTRY_COMPARE(w.Dir1.path, mountPoint); // a volume may be a slow one
    QCOMPARE(n.title(), QString());
}

void TestMenu::aClickChoosesARowButNotUnderTheImportScreen()
{
    Navigation n;
    MainWindow& w = n.start();
    w.showOnScreen();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const auto click = [&](const QString& text, bool twice = false) {
        const int row = int(n.rowTexts().indexOf(text));
        QVERIFY(row >= 0);
        const QModelIndex index = w.LsvMenu->model()->index(row, n.rowTexts() == kMainMenu ? 1 : 0);
        const QPoint at = w.LsvMenu->visualRect(index).center();
        QTest::mouseClick(w.LsvMenu->viewport(), Qt::LeftButton, {}, at);
        if (twice) { // a double click's second click, as X reports it
            QTest::mouseDClick(w.LsvMenu->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(w.LsvMenu->viewport(), Qt::LeftButton, {}, at);
        }
    };
    click("Mi Música", true); // one choice, not a second one in the listing it opens
    QCOMPARE(n.title(), QStringLiteral("Musica"));
    QCOMPARE(n.outcome(), QString());
    click("Song.MP3", true); // and on a song, it plays once
    const QString played = QStringLiteral("URL %1/Musica/Song.MP3 play");
    QCOMPARE(n.outcome(), played);

    // A click chooses over the player view too, where Enter does not.
    QVERIFY(n.choose("MENU PRINCIPAL"));
    w.record.PictureMode = true;
    w.playerView.PicMediaPlayer->show();
    click("Copiar Media ...");
    QVERIFY(w.importScreen.picCopiar->isVisible());
    QVERIFY(!w.playerView.PicMediaPlayer->isVisible());
    QVERIFY(!w.record.PictureMode);
    const QSizeF screen = screenTwips(&w);
    QCOMPARE(twipRect(w.importScreen.picCopiar),
             QRectF((screen.width() - 8775) / 2, (screen.height() - 4575) / 2, 8775, 4575));
    QCOMPARE(w.importScreen.List1->currentRow(), 0);
    QTRY_VERIFY(w.importScreen.List1->hasFocus());

    // Neither keys nor clicks reach the menu list while the import screen is up.
    QTest::keyClick(w.LsvMenu, Qt::Key_Return);
    QTest::keyClick(w.LsvMenu, Qt::Key_Backspace);
    QVERIFY(w.importScreen.List1->hasFocus());
    click("Mi TV");
    QCOMPARE(n.outcome(), played);

    // Elsewhere the menu list takes the focus back when it loses it.
    w.importScreen.picCopiar->hide();
    w.LsvMenu->setFocus();
    w.importScreen.List1->setFocus();
    QTRY_VERIFY(w.LsvMenu->hasFocus());
}

void TestMenu::backspaceInTheMainMenuStartsTv()
{
    Navigation n;
    // Drives that cannot be listed leave the rest of the menu.
    n.t.drives.drives = {{u'D', true, "DISCO", n.library.path("Musica")}};
    n.t.drives.failing = true;
    MainWindow& w = n.start();
    // In the main menu Backspace runs its first row.
    QTest::keyClick(w.LsvMenu, Qt::Key_Backspace);
    QCOMPARE(n.outcome(), "start " + kTv);
    QCOMPARE(n.rowTexts(), kMainMenu);
}

void TestMenu::listsWhatIsOnDiskNow()
{
    Navigation n;
    MainWindow& w = n.start();
    QVERIFY(n.choose("Mi Música"));
    QVERIFY(n.choose("Live"));
    // A song added since the folder was listed is there when it is listed again.
    QVERIFY(writeFile(n.library.path("Musica/Live.2004/b.mp3"), "new"));
    QVERIFY(n.choose("ATRÁS"));
    QVERIFY(n.choose("Live"));
    QCOMPARE(n.rowTexts(), kFixed + QStringList({"a.mp3", "b.mp3"}));

    // A folder removed after it was listed goes to the player, which reports it.
    QVERIFY(n.choose("ATRÁS"));
    QVERIFY(QDir(n.library.path("Musica/vacía")).removeRecursively());
    QVERIFY(n.choose("vacía"));
    QCOMPARE(n.outcome(), QStringLiteral("URL %1/Musica/vacía play"));

    // The main menu shows no cover.
    w.Image2->setPicture(QPixmap(4, 4));
    QVERIFY(n.choose("MENU PRINCIPAL"));
    QVERIFY(!w.Image2->hasPicture());

    // A library folder that is missing leaves the list as it was, title aside.
    w.record.VideoFolder = n.library.path("missing");
    QVERIFY(n.choose("Mi Cine"));
    QCOMPARE(n.rowTexts(), kMainMenu);
    QCOMPARE(n.title(), QStringLiteral("missing"));
}

void TestMenu::aFilmLeftPartWayAsksWhereToGoOn_data()
{
    QTest::addColumn<QList<Qt::Key>>("answer");
    QTest::addColumn<QString>("played"); // from where, with which tracks
    QTest::newRow("Enter resumes") << QList<Qt::Key>{Qt::Key_Return} << "at 3735 a2 s0";
    QTest::newRow("from the beginning, with its tracks")
        << QList<Qt::Key>{Qt::Key_Right, Qt::Key_Return} << "at 0 a2 s0";
    QTest::newRow("the frame goes round")
        << QList<Qt::Key>{Qt::Key_Down, Qt::Key_Up, Qt::Key_Return} << "at 3735 a2 s0";
    QTest::newRow("Escape plays nothing") << QList<Qt::Key>{Qt::Key_Escape} << "";
    QTest::newRow("closed from outside") << QList<Qt::Key>{Qt::Key_Close} << "";
}

void TestMenu::aFilmLeftPartWayAsksWhereToGoOn()
{
    QFETCH(QList<Qt::Key>, answer);
    const LibraryTree library({"Videos/film.avi"});
    TestWindow t;
    writeFile(t.programFolder.filePath("folders.ini"), library.foldersIni("Videos", "", "", ""));
    ResumeStore(t.programFolder.filePath("resume.txt"))
        .remember(*ResumeStore::identify(library.path("Videos/film.avi")), 7200,
                  StartPoint{3735, 2, kNoTrack});
    t.create();
    QVERIFY(chooseRow(*t.window, "Mi Cine"));
    ModalAnswers answers(answer);
    QVERIFY(chooseRow(*t.window, "film.avi"));
    QCOMPARE(answers.asked, {"film|Reanudar desde 1:02:15|Desde el principio"});
    QString played = t.player.calls.join(u' ').remove(library.path("Videos/film.avi"));
    if (!played.isEmpty())
        played = QStringLiteral("%1 a%2 s%3")
                     .arg(played.remove(QStringLiteral("URL  ")).remove(QStringLiteral(" play")))
                     .arg(t.player.tracks.value("audio"))
                     .arg(t.player.tracks.value("sub"));
    QTEST(played, "played");
}

QTEST_MAIN(TestMenu)
#include "tst_menu.moc"
