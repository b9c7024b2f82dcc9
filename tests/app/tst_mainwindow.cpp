// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/elements.h"
#include "form/menulist.h"
#include "form/twips.h"
#include "support/files.h"
#include "support/menudriver.h"
#include "support/testwindow.h"

#include <QFile>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <sys/stat.h>

namespace {

// The home of every window of these tests: a Spanish desktop's.
QTemporaryDir home;

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void comesUpWithTheMenuAlone_data();
    void comesUpWithTheMenuAlone();
    void layoutFollowsTheWindow();
    void backgroundIsTheGreenGradient();
    void pointerHidesAfterRestAndReturnsOnMovement();
};

void TestMainWindow::initTestCase()
{
    qputenv("HOME", home.path().toUtf8());
    qunsetenv("XDG_CONFIG_HOME");
    QVERIFY(writeFile(home.filePath(".config/user-dirs.dirs"),
                      "XDG_VIDEOS_DIR=\"$HOME/Vídeos\"\n"
                      "XDG_MUSIC_DIR=\"$HOME/Música\"\n"
                      "XDG_PICTURES_DIR=\"$HOME/Imágenes\"\n"));
}

void TestMainWindow::comesUpWithTheMenuAlone_data()
{
    QTest::addColumn<QString>("folderIni");
    QTest::addColumn<QStringList>("fields"); // "~" for the home
    const QStringList userFolders{"~/Vídeos", "~/Música", "~/Imágenes", ""};

    QTest::newRow("missing") << "none" << userFolders;
    // Opening a pipe would wait for a writer for ever.
    QTest::newRow("a pipe") << "pipe" << userFolders;
    QTest::newRow("two lines in a read-only program folder")
        << "read-only" << QStringList{"/v", "/m", "~/Imágenes", ""};
}

void TestMainWindow::comesUpWithTheMenuAlone()
{
    QFETCH(QString, folderIni);
    TestWindow t;
    const QString ini = t.programFolder.filePath("folders.ini");
    if (folderIni == u"pipe")
        QVERIFY(mkfifo(QFile::encodeName(ini).constData(), 0600) == 0);
    if (folderIni == u"read-only")
        QVERIFY(writeFile(ini, "/v\r\n/m\r\n") &&
                QFile::setPermissions(t.programFolder.path(), QFile::ReadOwner | QFile::ExeOwner));
    t.create();
    QFile::setPermissions(t.programFolder.path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    MainWindow& w = *t.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    QCOMPARE(rowTexts(w), QStringList({"Mi TV", "Mi Cine", "Mi Música", "Mis Imágenes",
                                       "Copiar Media ...", "SALIR"}));
    QCOMPARE(w.LblTitle->text(), QStringLiteral("Telarino 0.1a"));
    QStringList inSight;
    for (QWidget* element : w.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (element->isVisibleTo(&w))
            inSight << element->objectName();
    }
    inSight.sort();
    QCOMPARE(inSight,
             QStringList({"Image1", "Image2", "LblTitle", "LsvMenu", "PicNowPlaying", "Shape1"}));
    QFETCH(QStringList, fields);
    fields.replaceInStrings(QRegularExpression("^~"), home.path());
    QCOMPARE(QStringList({w.record.VideoFolder, w.record.MusicFolder, w.record.PicturesFolder,
                          w.record.TvCommand}),
             fields);
}

void TestMainWindow::layoutFollowsTheWindow()
{
    TestWindow t;
    t.create();
    MainWindow& w = *t.window;
    w.showOnScreen();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.geometry(), w.screen()->geometry());
    QCOMPARE(w.playerView.PicMediaPlayer->geometry(), w.rect());

    // The control panel shortens the player above it and lies over the now-playing panel,
    // whose top 120 twips stay in sight.
    w.controlPanel.PicControls->show();
    w.controlPanel.PicControls->repaint();
    QCOMPARE(twipRect(w.playerView.MediaPlayer).height(), screenTwips(&w).height() - 975 - 220);
    QCOMPARE(twipRect(w.controlPanel.PicControls).top() -
                 twipRect(w.nowPlaying.PicNowPlaying).top(),
             120.0);

    // The list is centred in the window, the preview beside it, also in a window shorter than
    // the screen.
    const auto listCentred = [&] {
        return qAbs(w.LsvMenu->geometry().center().y() - w.height() / 2) <= 1 &&
               w.Image2->y() == w.LsvMenu->y();
    };
    QVERIFY(listCentred());
    w.showNormal();
    w.resize(w.width(), 400);
    QTRY_COMPARE(w.height(), 400);
    QVERIFY(listCentred());
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
    w.Timer3->setInterval(50); // the rest, shortened
    QTRY_COMPARE(w.cursor().shape(), Qt::BlankCursor);
    // The list's own movement counts as the window's.
    for (QWidget* under : {static_cast<QWidget*>(&w), w.LsvMenu->viewport()}) {
        QTest::mouseMove(under, QPoint(5, 5));
        QCOMPARE(w.cursor().shape(), Qt::ArrowCursor);
        QTRY_COMPARE(w.cursor().shape(), Qt::BlankCursor);
    }
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
