// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow.h"
#include "form/elements.h"
#include "form/importscreen.h"
#include "form/menulist.h"
#include "pictures/pictureviewer.h"
#include "platform/desktopfileoperations.h"
#include "platform/filenames.h"
#include "platform/filesystem.h"
#include "support/files.h"
#include "support/librarytree.h"
#include "support/menudriver.h"
#include "support/modalanswers.h"
#include "support/oddnames.h"
#include "support/testwindow.h"

#include <QBuffer>
#include <QImage>
#include <QListWidget>
#include <QTest>
#include <QTimer>

namespace {

QByteArray jpeg(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return bytes;
}

} // namespace

class TestOddNames : public QObject {
    Q_OBJECT
private slots:
    void everyOperationKeepsTheName_data() { addOddNameRows(); }
    void everyOperationKeepsTheName();
};

// One window, the real trash, and the name through each operation in turn: listed, played,
// previewed, viewed, trashed and copied from a disc.
void TestOddNames::everyOperationKeepsTheName()
{
    QFETCH(QByteArray, stem);
    QFETCH(QString, shown);
    const LibraryTree tree({"Musica/", "Fotos/", "disc/"});
    const auto at = [&](const QString& relative) { return QFile::encodeName(tree.path(relative)); };
    qputenv("XDG_DATA_HOME", at("data"));
    TestWindow t;
    QVERIFY(writeFile(t.programFolder.filePath("folders.ini"),
                      tree.foldersIni("Videos", "Musica", "Fotos", "tv")));
    DesktopFileOperations trash;
    t.window = std::make_unique<MainWindow>(Services{t.player, t.drives, t.launcher, trash},
                                            t.programFolder.path());
    MainWindow& w = *t.window;
    ModalAnswers answers({Qt::Key_Left, Qt::Key_Return}); // "Sí" to the trash's question

    const QByteArray folder = at("Musica/") + stem;
    const QByteArray song = folder + '/' + stem + ".mp3";
    QVERIFY(makeFolderAt(folder));
    QVERIFY(writeFileAt(song, "song"));
    QVERIFY(writeFileAt(folder + "/other.mp3", "song"));
    QVERIFY(chooseRow(w, "Mi Música"));
    QVERIFY(chooseRow(w, shown));
    QCOMPARE(fileNameBytes(w.Dir1.path), folder);
    QCOMPARE(w.LblTitle->text(), shown);
    QVERIFY(chooseRow(w, shown + ".mp3"));
    QCOMPARE(t.player.calls.value(0), "URL " + fileNameFromBytes(song));
    // The playlist file holds the paths' bytes as they are; a path with a line break cannot be
    // a line of it and is left out of the file only.
    QVERIFY(chooseRow(w, "REPRODUCIR TODO"));
    QCOMPARE(readFile(t.programFolder.filePath("list.m3u")),
             stem.contains('\n') ? QByteArray() : song + "\r\n" + folder + "/other.mp3\r\n");
    QCOMPARE(t.player.playlist.size(), 2);

    const QByteArray picture = at("Fotos/") + stem + ".jpg";
    const QByteArray photo = jpeg(QSize(40, 30));
    QVERIFY(writeFileAt(picture, photo));
    QVERIFY(chooseRow(w, "MENU PRINCIPAL"));
    QVERIFY(chooseRow(w, "Mis Imágenes"));
    QVERIFY(highlightRow(w, shown + ".jpg"));
    QTRY_COMPARE(w.imageInfo.LblImSize->text(), QStringLiteral("40 x 30"));
    QVERIFY(w.Image2->hasPicture());
    bool inTheViewer = false;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        if (auto* viewer = qobject_cast<PictureViewer*>(QApplication::activeModalWidget())) {
            inTheViewer = viewer->Image1->hasPicture();
            viewer->close();
        }
    });
    closer.start(10);
    QVERIFY(chooseRow(w, shown + ".jpg"));
    QVERIFY(inTheViewer);

    QTest::keyClick(w.LsvMenu, Qt::Key_Delete);
    QVERIFY(readFileAt(picture).isEmpty());
    // The entry may have a shorter name than the file (its info file's name must fit too), but
    // the original path is kept whole.
    const QStringList infos = GetFolder(tree.path("data/Trash/info"))->fileNames;
    QCOMPARE(infos.size(), 1);
    const QByteArray info = readFileAt(at("data/Trash/info/") + fileNameBytes(infos.front()));
    QVERIFY2(info.contains("\nPath=" + picture.toPercentEncoding("/") + "\n"), info.constData());
    const QByteArray entry = fileNameBytes(infos.front()).chopped(int(strlen(".trashinfo")));
    QCOMPARE(readFileAt(at("data/Trash/files/") + entry), photo);

    // The pictures of a disc, imported into the picture library that no longer holds the name.
    QVERIFY(makeFolderAt(at("disc/") + stem));
    QVERIFY(writeFileAt(at("disc/") + stem + '/' + stem + ".jpg", "from the disc"));
    t.player.driveSpecifiers = {"D:"};
    t.drives.drives = {{u'D', true, "DISCO", tree.path("disc")}};
    w.importScreen.picCopiar->show();
    w.importScreen.List1->setCurrentRow(2);
    QTest::keyClick(w.importScreen.List1, Qt::Key_Return);
    QCOMPARE(readFileAt(picture), "from the disc");
    QCOMPARE(answers.asked.size(), 1);
    QCOMPARE(answers.messages, QStringList());
}

QTEST_MAIN(TestOddNames)
#include "tst_oddnames.moc"
