#include "form/elements.h"
#include "form/menulist.h"
#include "form/mediakinds.h"
#include "form/twips.h"
#include "menu/itemactivation.h"
#include "pictures/pictureviewer.h"
#include "support/files.h"
#include "support/librarytree.h"
#include "support/menudriver.h"
#include "support/testwindow.h"

#include <QFile>
#include <QListWidget>
#include <QStorageInfo>
#include <QTest>
#include <QTimer>

namespace {

// What a viewer opened by the list was handed.
struct ViewerOpening {
    QString folder;
    QStringList pictures;
    int index = -1;
};

class Navigation {
public:
    explicit Navigation(const QStringList& tree = {}) : library(tree) {}

    MainWindow& start(const QString& tv = QStringLiteral("tvtime --fullscreen"))
    {
        writeFile(t.programFolder.filePath("folders.ini"),
                  library.foldersIni("Videos", "Musica", "Fotos", tv));
        t.create();
        return *t.window;
    }

    MainWindow& window() { return *t.window; }

    bool choose(const QString& text) { return chooseRow(window(), text); }
    QStringList rowTexts() { return ::rowTexts(window()); }

    QString title() { return window().LblTitle->text(); }

    LibraryTree library;
    TestWindow t;
};

const QStringList kFixed{"ATRÁS", "REPRODUCIR TODO", "MENU PRINCIPAL"};
const QStringList kMainMenu{"Mi TV",        "Mi Cine",          "Mi Música",
                            "Mis Imágenes", "Copiar Media ...", "SALIR"};

const QStringList kTree{
    "Musica/Live.2004/a.mp3",
    "Musica/Trip.jpg/inside.mp3",
    "Musica/vacía/",
    "Musica/Song.MP3",
    "Musica/Photo.JPG",
    "Musica/notes.txt",
    "Musica/folder.jpg",
    "Videos/film.avi",
    "Videos/song.mp3",
    "Fotos/a.jpg",
    "Fotos/b.JPG",
    "Fotos/c.wmf",
    "Fotos/clip.avi",
};

} // namespace

class TestNavigation : public QObject {
    Q_OBJECT
private slots:
    void activation_data();
    void activation();
    void playsAFileWhatever_data();
    void playsAFileWhatever();
    void opensPicturesInTheViewer_data();
    void opensPicturesInTheViewer();
    void backClimbsToTheVolumeRootThenTheMenu();
    void driveRows();
    void aDiscsRootHasNoTitle();
    void aClickOnARowChoosesIt();
    void picturesModeSurvivesADriveRow();
    void importScreenTakesTheFocus();
    void salirClosesTheWindow();
    void tvLineStartsUnchanged();
    void backspaceInTheMainMenuStartsTv();
    void arrowsOnlyMoveTheHighlight();
    void listsWhatIsOnDiskNow();
    void aLinkBackUpCanBeWalked();
};

void TestNavigation::activation_data()
{
    QTest::addColumn<QStringList>("choices");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("highlighted");
    QTest::addColumn<bool>("pictureMode");

    QTest::newRow("music library")
        << QStringList{"Mi Música"} << "Musica"
        << kFixed + QStringList{"Live", "Trip", "vacía", "Song.MP3"} << 3 << false;
    QTest::newRow("empty folder") << QStringList{"Mi Música", "vacía"} << "vacía" << kFixed << 0
                                  << false;
    QTest::newRow("dotted folder shown without its ending, opened whole")
        << QStringList{"Mi Música", "Live"} << "Live" << kFixed + QStringList{"a.mp3"} << 3
        << false;
    QTest::newRow("folder named like a picture opens as a folder")
        << QStringList{"Mi Música", "Trip"} << "Trip" << kFixed + QStringList{"inside.mp3"} << 3
        << false;
    QTest::newRow("videos") << QStringList{"Mi Cine"} << "Videos"
                            << kFixed + QStringList{"film.avi"} << 3 << false;
    QTest::newRow("pictures, wmf included")
        << QStringList{"Mis Imágenes"} << "Fotos" << kFixed + QStringList{"a.jpg", "b.JPG", "c.wmf"}
        << 3 << true;
    QTest::newRow("main menu from a listing")
        << QStringList{"Mi Música", "MENU PRINCIPAL"} << "Telarino 0.1a" << kMainMenu << 0 << false;
    QTest::newRow("back to the library's parent")
        << QStringList{"Mi Música", "Live", "ATRÁS"} << "Musica"
        << kFixed + QStringList{"Live", "Trip", "vacía", "Song.MP3"} << 3 << false;
    QTest::newRow("pictures, then the music clears picture mode")
        << QStringList{"Mis Imágenes", "MENU PRINCIPAL", "Mi Música"} << "Musica"
        << kFixed + QStringList{"Live", "Trip", "vacía", "Song.MP3"} << 3 << false;
}

void TestNavigation::activation()
{
    QFETCH(QStringList, choices);
    Navigation n(kTree);
    MainWindow& w = n.start();
    for (const QString& choice : choices)
        QVERIFY(n.choose(choice));
    QTEST(n.title(), "title");
    QTEST(n.rowTexts(), "rows");
    QTEST(w.LsvMenu->selectedRow(), "highlighted");
    QTEST(w.state.PictureMode, "pictureMode");
    QVERIFY(n.t.player.calls.isEmpty());
}

void TestNavigation::playsAFileWhatever_data()
{
    QTest::addColumn<QStringList>("choices");
    QTest::addColumn<QString>("file");
    QTest::newRow("capital MP3") << QStringList{"Mi Música", "Song.MP3"} << "Musica/Song.MP3";
    QTest::newRow("video") << QStringList{"Mi Cine", "film.avi"} << "Videos/film.avi";
    QTest::newRow("in a dotted folder")
        << QStringList{"Mi Música", "Live", "a.mp3"} << "Musica/Live.2004/a.mp3";
}

void TestNavigation::playsAFileWhatever()
{
    QFETCH(QStringList, choices);
    QFETCH(QString, file);
    Navigation n(kTree);
    MainWindow& w = n.start();
    w.state.StoppedByUser = true;
    for (const QString& choice : choices)
        QVERIFY(n.choose(choice));
    QCOMPARE(n.t.player.calls, QStringList({"URL " + n.library.path(file), "play"}));
    QVERIFY(!w.state.StoppedByUser);
}

void TestNavigation::opensPicturesInTheViewer_data()
{
    QTest::addColumn<QStringList>("choices");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("pictures");
    QTest::addColumn<int>("index");

    QTest::newRow("capital JPG") << QStringList{"Mis Imágenes", "b.JPG"} << "Fotos"
                                 << QStringList{"a.jpg", "b.JPG"} << 1;
    QTest::newRow("wmf, which joins the viewer's list to be shown")
        << QStringList{"Mis Imágenes", "c.wmf"} << "Fotos" << QStringList{"a.jpg", "b.JPG", "c.wmf"}
        << 2;
    QTest::newRow("picture on a disc listed with all media")
        << QStringList{"E: [FILMS]", "b.JPG"} << "Fotos" << QStringList{"a.jpg", "b.JPG"} << 1;
}

void TestNavigation::opensPicturesInTheViewer()
{
    QFETCH(QStringList, choices);
    Navigation n(kTree);
    n.t.drives.drives = {{u'E', true, "FILMS", n.library.path("Fotos")}};
    n.start();
    ViewerOpening seen;
    QStringList otherWindows;
    const QString last = choices.takeLast();
    for (const QString& choice : choices)
        QVERIFY(n.choose(choice));
    // Whatever modal window opens is closed, so a wrong one fails the test instead of hanging it.
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto* viewer = qobject_cast<PictureViewer*>(modal))
            seen = ViewerOpening{viewer->File1.path, viewer->File1.entries, viewer->ListIndex};
        else
            otherWindows << modal->objectName() + u' ' + modal->metaObject()->className();
        modal->close();
    });
    closer.start(10);
    QVERIFY(n.choose(last));
    QCOMPARE(otherWindows, QStringList());
    QFETCH(QString, folder);
    QCOMPARE(seen.folder, n.library.path(folder));
    QTEST(seen.pictures, "pictures");
    QTEST(seen.index, "index");
    QVERIFY(n.t.player.calls.isEmpty());
}

void TestNavigation::backClimbsToTheVolumeRootThenTheMenu()
{
    Navigation n(kTree);
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

void TestNavigation::driveRows()
{
    Navigation n(kTree);
    n.t.drives.drives = {{u'D', false, {}, {}}, {u'E', true, "FILMS", n.library.path("Videos")}};
    MainWindow& w = n.start();
    w.File1.pattern = QStringLiteral("*.nothing");

    QVERIFY(n.choose("D: [No Disponible]"));
    QCOMPARE(n.title(), QStringLiteral("Telarino 0.1a"));
    QCOMPARE(w.File1.pattern, kAllMediaPattern);

    QVERIFY(n.choose("E: [FILMS]"));
    QCOMPARE(n.rowTexts(), kFixed + QStringList({"film.avi", "song.mp3"}));
}

void TestNavigation::aDiscsRootHasNoTitle()
{
    // A disc's root is its mount point, whose own name is not the disc's.
    QString mountPoint;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.rootPath() != u"/" && volume.isReady() && QDir(volume.rootPath()).isReadable())
            mountPoint = volume.rootPath();
    }
    if (mountPoint.isEmpty())
        QSKIP("this machine has no mounted volume besides /");
    Navigation n(kTree);
    n.t.drives.drives = {{u'D', true, "DISCO", mountPoint}};
    n.start();
    QVERIFY(n.choose("D: [DISCO]"));
    QCOMPARE(n.window().Dir1.path, mountPoint);
    QCOMPARE(n.title(), QString());
}

void TestNavigation::aClickOnARowChoosesIt()
{
    Navigation n(kTree);
    MainWindow& w = n.start();
    w.showOnScreen();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const auto click = [&](const QString& text) {
        const int row = int(n.rowTexts().indexOf(text));
        QVERIFY(row >= 0);
        const QModelIndex index = w.LsvMenu->model()->index(row, n.rowTexts() == kMainMenu ? 1 : 0);
        QTest::mouseClick(w.LsvMenu->viewport(), Qt::LeftButton, {},
                          w.LsvMenu->visualRect(index).center());
    };
    click("Mi Música");
    QCOMPARE(n.title(), QStringLiteral("Musica"));
    click("Song.MP3");
    QCOMPARE(n.t.player.calls, QStringList({"URL " + n.library.path("Musica/Song.MP3"), "play"}));
}

void TestNavigation::picturesModeSurvivesADriveRow()
{
    Navigation n(kTree);
    n.t.drives.drives = {{u'D', true, "DISCO", n.library.path("Musica")}};
    MainWindow& w = n.start();
    QVERIFY(n.choose("Mis Imágenes"));
    QVERIFY(n.choose("MENU PRINCIPAL"));
    QVERIFY(n.choose("D: [DISCO]"));
    QVERIFY(w.state.PictureMode);
    QVERIFY(n.rowTexts().contains("Photo.JPG"));
    QVERIFY(n.rowTexts().contains("folder.jpg"));
}

void TestNavigation::importScreenTakesTheFocus()
{
    Navigation n(kTree);
    MainWindow& w = n.start();
    w.showOnScreen();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.state.PictureMode = true;
    w.playerView.PicMediaPlayer->show();
    w.LsvMenu->selectRow(4);
    LsvMenu_Click(w); // as a click would: Enter does not activate over the player view

    QVERIFY(w.importScreen.picCopiar->isVisible());
    QVERIFY(!w.playerView.PicMediaPlayer->isVisible());
    QVERIFY(!w.state.PictureMode);
    const QSizeF screen = screenTwips(&w);
    QCOMPARE(twipRect(w.importScreen.picCopiar),
             QRectF((screen.width() - 8775) / 2, (screen.height() - 4575) / 2, 8775, 4575));
    QCOMPARE(w.importScreen.List1->currentRow(), 0);
    QTRY_VERIFY(w.importScreen.List1->hasFocus());

    // Keys that reach the list do nothing while the import screen is up.
    w.controlPanel.Timer2->start();
    QTest::keyClick(w.LsvMenu, Qt::Key_Return);
    QTest::keyClick(w.LsvMenu, Qt::Key_Backspace);
    QVERIFY(w.importScreen.picCopiar->isVisible());
    QVERIFY(w.controlPanel.Timer2->isActive());
    QVERIFY(n.t.launcher.started.isEmpty());
    QVERIFY(w.importScreen.List1->hasFocus());

    // Elsewhere the list takes the focus back when it loses it.
    w.importScreen.picCopiar->hide();
    w.LsvMenu->setFocus();
    w.importScreen.List1->setFocus();
    QTRY_VERIFY(w.LsvMenu->hasFocus());
}

void TestNavigation::salirClosesTheWindow()
{
    Navigation n(kTree);
    MainWindow& w = n.start();
    w.show();
    QVERIFY(n.choose("SALIR"));
    QVERIFY(!w.isVisible());
}

void TestNavigation::tvLineStartsUnchanged()
{
    Navigation n(kTree);
    MainWindow& w = n.start("tvtime --device '/dev/video0' ; rm -rf $(HOME)");
    w.state.PictureMode = true;
    QVERIFY(n.choose("Mi TV"));
    QCOMPARE(n.t.launcher.started, QStringList({"tvtime --device '/dev/video0' ; rm -rf $(HOME)"}));
    QVERIFY(!w.state.PictureMode);
    QCOMPARE(n.rowTexts(), kMainMenu);
}

void TestNavigation::backspaceInTheMainMenuStartsTv()
{
    Navigation n(kTree);
    MainWindow& w = n.start();
    w.LsvMenu->selectRow(3);
    w.controlPanel.Timer2->start();
    QTest::keyClick(w.LsvMenu, Qt::Key_Backspace);
    QCOMPARE(n.t.launcher.started, QStringList({"tvtime --fullscreen"}));
    QVERIFY(!w.controlPanel.Timer2->isActive());
}

void TestNavigation::arrowsOnlyMoveTheHighlight()
{
    Navigation n(kTree);
    MainWindow& w = n.start();
    MenuList& list = *w.LsvMenu;
    const QList<std::pair<Qt::Key, int>> moves{
        {Qt::Key_Down, 1}, {Qt::Key_Down, 2}, {Qt::Key_Up, 1},    {Qt::Key_End, 5},
        {Qt::Key_Home, 0}, {Qt::Key_Left, 0}, {Qt::Key_Right, 0}, {Qt::Key_PageDown, 5},
    };
    for (const auto& [key, row] : moves) {
        QTest::keyClick(&list, key);
        QCOMPARE(list.selectedRow(), row);
    }
    QCOMPARE(n.rowTexts(), kMainMenu);
}

void TestNavigation::listsWhatIsOnDiskNow()
{
    Navigation n(kTree);
    MainWindow& w = n.start();
    QVERIFY(n.choose("Mi Música"));
    QVERIFY(n.choose("Live"));
    QCOMPARE(n.rowTexts(), kFixed + QStringList({"a.mp3"}));

    // A song added since the folder was listed is there when it is listed again.
    QVERIFY(writeFile(n.library.path("Musica/Live.2004/b.mp3"), "new"));
    QVERIFY(n.choose("ATRÁS"));
    QVERIFY(n.choose("Live"));
    QCOMPARE(n.rowTexts(), kFixed + QStringList({"a.mp3", "b.mp3"}));

    // A folder removed after it was listed goes to the player, which reports it.
    QVERIFY(n.choose("ATRÁS"));
    QVERIFY(QDir(n.library.path("Musica/vacía")).removeRecursively());
    QVERIFY(n.choose("vacía"));
    QCOMPARE(n.t.player.calls.first(), "URL " + n.library.path("Musica/vacía"));

    // A library folder that is missing leaves the list as it was, title aside.
    QVERIFY(n.choose("MENU PRINCIPAL"));
    w.state.VideoFolder = n.library.path("missing");
    QVERIFY(n.choose("Mi Cine"));
    QCOMPARE(n.rowTexts(), kMainMenu);
    QCOMPARE(n.title(), QStringLiteral("missing"));
}

void TestNavigation::aLinkBackUpCanBeWalked()
{
    Navigation n({"Musica/a.mp3"});
    QVERIFY(QFile::link(n.library.path("Musica"), n.library.path("Musica/bucle")));
    MainWindow& w = n.start();
    QVERIFY(n.choose("Mi Música"));
    QCOMPARE(n.rowTexts(), kFixed + QStringList({"bucle", "a.mp3"}));
    QVERIFY(n.choose("bucle"));
    QVERIFY(n.choose("bucle"));
    QCOMPARE(w.Dir1.path, n.library.path("Musica/bucle/bucle"));
    QVERIFY(n.choose("a.mp3"));
    QCOMPARE(n.t.player.calls.first(), "URL " + n.library.path("Musica/bucle/bucle/a.mp3"));
}

QTEST_MAIN(TestNavigation)
#include "tst_navigation.moc"
