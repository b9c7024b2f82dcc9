#include "app/config.h"
#include "form/elements.h"
#include "form/menulist.h"
#include "form/screengeometry.h"
#include "form/twips.h"
#include "support/files.h"
#include "support/menudriver.h"
#include "support/testwindow.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

QStringList menuKeys(const MenuList& list)
{
    QStringList keys;
    for (const MenuRow& row : list.rows().rows())
        keys << row.rowKey();
    return keys;
}

// The home of every window of these tests: a Spanish desktop's, with a song in its music.
QTemporaryDir home;

// The value with a leading "~" put to that home.
QString inHome(const QString& value)
{
    return value.startsWith(u'~') ? home.path() + value.mid(1) : value;
}

const QStringList kMenuWithoutDrives{"tv", "divx", "mp3", "pics", "copiar", "salir"};

void moveMouseOver(QWidget* widget)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void alwaysComesUpWithTheFullMenu_data();
    void alwaysComesUpWithTheFullMenu();
    void firstStartFindsTheUsersMusic();
    void menuListsDrivesWithCaptions();
    void elementsAtStart_data();
    void elementsAtStart();
    void drawnPicturesAreBuiltIn();
    void layoutFollowsTheScreen();
    void backgroundIsTheGreenGradient();
    void pointerHidesAfterRestAndReturnsOnMovement();
    void controlPanelShortensThePlayer();
    void jumpPanelStopsTheAutoHide();
    void closingTheWindowEndsTheProgram();
};

void TestMainWindow::initTestCase()
{
    qputenv("HOME", home.path().toUtf8());
    qunsetenv("XDG_CONFIG_HOME");
    QVERIFY(writeFile(home.filePath(".config/user-dirs.dirs"),
                      "XDG_VIDEOS_DIR=\"$HOME/Vídeos\"\n"
                      "XDG_MUSIC_DIR=\"$HOME/Música\"\n"
                      "XDG_PICTURES_DIR=\"$HOME/Imágenes\"\n"));
    QVERIFY(writeFile(home.filePath("Música/Canción.mp3"), "not really a song"));
}

void TestMainWindow::alwaysComesUpWithTheFullMenu_data()
{
    QTest::addColumn<QByteArray>("contents"); // null: no file
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("fields");
    const QStringList userFolders{"~/Vídeos", "~/Música", "~/Imágenes", ""};

    QTest::newRow("missing") << QByteArray() << "none" << userFolders;
    QTest::newRow("unreadable") << QByteArray() << "folder" << userFolders;
    QTest::newRow("empty") << QByteArray("") << "file" << userFolders;
    QTest::newRow("binary") << QByteArray("\x7f"
                                          "ELF\x02\x01\x01\x00\x00\x00",
                                          10)
                            << "file"
                            << QStringList{
                                   QString::fromUtf16(u"\u007fELF\u0002\u0001\u0001\0\0\0", 10),
                                   "~/Música", "~/Imágenes", ""};
    QTest::newRow("huge single line")
        << QByteArray(100 << 20, 'v') << "file"
        << QStringList{QString(kMaxConfigLineBytes, u'v'), "~/Música", "~/Imágenes", ""};
    QTest::newRow("two lines") << QByteArray("/v\r\n/m\r\n") << "file"
                               << QStringList{"/v", "/m", "~/Imágenes", ""};
    QTest::newRow("seven lines") << QByteArray("/v\r\n/m\r\n/p\r\ntv\r\nx\r\ny\r\nz\r\n") << "file"
                                 << QStringList{"/v", "/m", "/p", "tv"};
    QTest::newRow("trailing spaces") << QByteArray("/v \r\n/m\r\n/p\r\ntv \r\n") << "file"
                                     << QStringList{"/v ", "/m", "/p", "tv "};
    QTest::newRow("read-only program folder") << QByteArray("/v\r\n/m\r\n/p\r\ntv\r\n")
                                              << "read-only" << QStringList{"/v", "/m", "/p", "tv"};
}

void TestMainWindow::alwaysComesUpWithTheFullMenu()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, kind);
    TestWindow t;
    const QString ini = t.programFolder.filePath("folders.ini");
    if (kind == u"folder")
        QVERIFY(QDir().mkpath(ini));
    if (kind == u"file" || kind == u"read-only")
        QVERIFY(writeFile(ini, contents));
    if (kind == u"read-only")
        QVERIFY(QFile::setPermissions(t.programFolder.path(), QFile::ReadOwner | QFile::ExeOwner));

    t.create();
    QFile::setPermissions(t.programFolder.path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QCOMPARE(menuKeys(*t.window->LsvMenu), kMenuWithoutDrives);
    QCOMPARE(t.window->LblTitle->text(), QStringLiteral("Telarino 0.1a"));
    const WindowState& s = t.window->state;
    QFETCH(QStringList, fields);
    for (QString& field : fields)
        field = inHome(field);
    QCOMPARE(QStringList({s.VideoFolder, s.MusicFolder, s.PicturesFolder, s.TvCommand}), fields);
}

void TestMainWindow::firstStartFindsTheUsersMusic()
{
    TestWindow t;
    t.create();
    QVERIFY(chooseRow(*t.window, "Mi Música"));
    QCOMPARE(t.window->File1.path, home.filePath("Música"));
    QVERIFY(rowTexts(*t.window).contains("Canción.mp3"));
}

void TestMainWindow::menuListsDrivesWithCaptions()
{
    TestWindow t;
    t.drives.drives = {{u'D', false, {}, {}}, {u'E', true, "FILMS", "/media/FILMS"}};
    t.create();
    const MenuList& list = *t.window->LsvMenu;
    QCOMPARE(menuKeys(list),
             QStringList({"tv", "divx", "mp3", "pics", "driveD", "driveE", "copiar", "salir"}));
    const auto caption = [&](int row) { return list.rows().index(row, 1).data().toString(); };
    QCOMPARE(caption(4), QStringLiteral("D: [No Disponible]"));
    QCOMPARE(caption(5), QStringLiteral("E: [FILMS]"));
    QCOMPARE(caption(2), QStringLiteral("Mi Música"));
    QCOMPARE(list.selectedRow(), 0);
    QVERIFY(t.window->File1.pattern.contains("*.jpeg"));
}

void TestMainWindow::elementsAtStart_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("text");

    QTest::newRow("import screen") << "picCopiar" << false << "";
    QTest::newRow("search notice") << "PicBuscando" << false << "";
    QTest::newRow("import question") << "Label1" << true << "¿ QUÉ DESEAS IMPORTAR ?";
    QTest::newRow("search text") << "Label4" << true
                                 << "BUSCANDO LOS ARCHIVOS REQUERIDOS, UN MOMENTO POR FAVOR ...";
    QTest::newRow("jump panel") << "PicSaltar" << false << "";
    QTest::newRow("jump title") << "Label3" << true << "Saltar a la Posición:";
    QTest::newRow("jump more") << "LblSaltar0" << true << "Más";
    QTest::newRow("jump less") << "LblSaltar1" << true << "Menos";
    QTest::newRow("jump cancel") << "Label6" << true << "Cancelar Acción";
    QTest::newRow("control panel") << "PicControls" << false << "";
    QTest::newRow("player view") << "PicMediaPlayer" << false << "";
    QTest::newRow("now playing") << "PicNowPlaying" << true << "";
    QTest::newRow("now playing text") << "LblNowPlaying" << true << "No hay Media Disponible";
    QTest::newRow("time") << "lblTime" << true << "00:00";
    QTest::newRow("menu list") << "LsvMenu" << true << "";
    QTest::newRow("picture information") << "PicImageInfo" << false << "";
    QTest::newRow("size caption") << "Label8" << true << "Tamaño";
    QTest::newRow("preview") << "Image2" << true << "";
    QTest::newRow("title frame") << "Shape1" << true << "";
    QTest::newRow("title") << "LblTitle" << true << "Telarino 0.1a";
}

void TestMainWindow::elementsAtStart()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    TestWindow t;
    t.create();
    t.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(t.window.get()));

    auto* element = t.window->findChild<QWidget*>(name);
    QVERIFY2(element, qPrintable(name));
    QTEST(element->isVisibleTo(element->parentWidget()), "visible");
    if (auto* label = qobject_cast<QLabel*>(element))
        QCOMPARE(label->text(), text);
}

void TestMainWindow::drawnPicturesAreBuiltIn()
{
    const auto drawsSomething = [](const QPixmap& picture) {
        const QImage image = picture.toImage();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(image.pixel(x, y)) > 0)
                    return true;
            }
        }
        return false;
    };
    TestWindow t;
    t.create();
    for (Picture* button : t.window->controlPanel.ImgBut)
        QVERIFY2(drawsSomething(button->picture()), qPrintable(button->objectName()));

    MenuList& list = *t.window->LsvMenu;
    list.setRows({MenuRow{"Album", "/a", 1, {}, {}}, MenuRow{"a.mp3", "/a.mp3", 2, {}, {}}});
    for (int row = 0; row < 2; ++row) {
        const auto icon = list.rows().index(row, 0).data(Qt::DecorationRole).value<QIcon>();
        QVERIFY(drawsSomething(icon.pixmap(48, 48)));
    }
}

void TestMainWindow::layoutFollowsTheScreen()
{
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    w.showOnScreen();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QSizeF screen = screenTwips(&w);
    QCOMPARE(w.size(), (screen / kTwipsPerPixel).toSize());

    const StartupGeometry start = startupLayout(screen);
    const RelayoutGeometry re = relayout(start.LsvMenu, 3135, screen, screen);
    QCOMPARE(w.LsvMenu->geometry(),
             toPixels(QRectF(start.LsvMenu.left(), re.LsvMenuTop, start.LsvMenu.width(),
                             start.LsvMenu.height())));
    QCOMPARE(twipRect(w.LblTitle).top(), re.LblTitleTop);
    QCOMPARE(twipRect(w.Image2).topLeft(), QPointF(start.Image2.left(), re.LsvMenuTop));
    QCOMPARE(w.LsvMenu->columnWidth(1), qRound((start.LsvMenu.width() - 20) / kTwipsPerPixel));
    QCOMPARE(w.playerView.PicMediaPlayer->geometry(), QRect(QPoint(0, 0), w.size()));

    // A window shorter than the screen centres the list in itself; sizes stay the screen's.
    w.showNormal();
    w.resize(w.width(), 400);
    QTRY_COMPARE(w.height(), 400);
    QCOMPARE(twipRect(w.LsvMenu).top(), (400 * kTwipsPerPixel - start.LsvMenu.height()) / 2);
    QCOMPARE(twipRect(w.LsvMenu).height(), start.LsvMenu.height());
    QCOMPARE(twipRect(w.nowPlaying.PicNowPlaying).top(), start.PicNowPlaying.top());
}

void TestMainWindow::backgroundIsTheGreenGradient()
{
    TestWindow t;
    t.create();
    t.window->resize(200, 768);
    const QImage shot = t.window->grab(QRect(0, 0, 200, 768)).toImage();
    QCOMPARE(shot.pixelColor(0, 0), QColor(0, 0, 0));
    QCOMPARE(shot.pixelColor(0, 767), QColor(0, 95, 0));
}

void TestMainWindow::pointerHidesAfterRestAndReturnsOnMovement()
{
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    w.show();
    QCOMPARE(w.cursor().shape(), Qt::ArrowCursor);
    QVERIFY(w.Timer3->isActive());

    QTRY_COMPARE_WITH_TIMEOUT(w.cursor().shape(), Qt::BlankCursor, 4000);
    QVERIFY(!w.Timer3->isActive());

    moveMouseOver(&w);
    QCOMPARE(w.cursor().shape(), Qt::ArrowCursor);
    QVERIFY(w.Timer3->isActive());

    QTRY_COMPARE_WITH_TIMEOUT(w.cursor().shape(), Qt::BlankCursor, 4000);
    moveMouseOver(w.LsvMenu->viewport());
    QCOMPARE(w.cursor().shape(), Qt::ArrowCursor);
    QVERIFY(w.Timer3->isActive());
}

void TestMainWindow::controlPanelShortensThePlayer()
{
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    w.showOnScreen();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.controlPanel.PicControls->show();
    w.controlPanel.PicControls->repaint();
    QCOMPARE(twipRect(w.playerView.MediaPlayer).height(), screenTwips(&w).height() - 975 - 220);
    // It lies over the now-playing panel, whose top 120 twips stay in sight.
    QCOMPARE(twipRect(w.controlPanel.PicControls).top() -
                 twipRect(w.nowPlaying.PicNowPlaying).top(),
             120.0);
}

void TestMainWindow::jumpPanelStopsTheAutoHide()
{
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    w.showOnScreen();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.controlPanel.Timer2->start();
    w.jumpPanel.PicSaltar->show();
    w.jumpPanel.PicSaltar->repaint();
    QVERIFY(!w.controlPanel.Timer2->isActive());
    QCOMPARE(w.jumpPanel.bar.maximum, 100.0f);
}

void TestMainWindow::closingTheWindowEndsTheProgram()
{
    TestWindow t;
    t.create();
    t.window->show();
    QTimer::singleShot(0, t.window.get(), &QWidget::close);
    // Fails rather than hangs when closing leaves the program running.
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
