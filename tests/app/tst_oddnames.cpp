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
#include <QDir>
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

// A library whose folders are Videos, Musica and Fotos, under a window over fakes (the trash
// may be the real one).
struct Library {
    explicit Library(FileOperations* trash = nullptr)
        : tree({"Videos/", "Musica/", "Fotos/", "disc/"})
    {
        writeFile(t.programFolder.filePath("folders.ini"),
                  tree.foldersIni("Videos", "Musica", "Fotos", "tv"));
        if (trash)
            window = std::make_unique<MainWindow>(Services{t.player, t.drives, t.launcher, *trash},
                                                  t.programFolder.path());
        else
            window = (t.create(), std::move(t.window));
    }
    QByteArray at(const QString& relative) const { return QFile::encodeName(tree.path(relative)); }
    MainWindow& w() { return *window; }

    LibraryTree tree;
    TestWindow t;
    std::unique_ptr<MainWindow> window;
};

} // namespace

class TestOddNames : public QObject {
    Q_OBJECT
private slots:
    void foldersOpenAndFilesPlay_data() { addOddNameRows(); }
    void foldersOpenAndFilesPlay();
    void picturesPreviewAndShow_data() { addOddNameRows(); }
    void picturesPreviewAndShow();
    void theTrashKeepsTheName_data() { addOddNameRows(); }
    void theTrashKeepsTheName();
    void importsCopyTheName_data() { addOddNameRows(); }
    void importsCopyTheName();
};

void TestOddNames::foldersOpenAndFilesPlay()
{
    QFETCH(QByteArray, stem);
    QFETCH(QString, shown);
    Library l;
    const QByteArray folder = l.at("Musica/") + stem;
    QVERIFY(makeFolderAt(folder));
    QVERIFY(writeFileAt(folder + '/' + stem + ".mp3", "song"));
    QVERIFY(writeFileAt(folder + "/other.mp3", "song"));

    QVERIFY(chooseRow(l.w(), "Mi Música"));
    QVERIFY(chooseRow(l.w(), shown));
    QCOMPARE(fileNameBytes(l.w().Dir1.path), folder);
    QCOMPARE(l.w().LblTitle->text(), shown);
    QVERIFY(chooseRow(l.w(), shown + ".mp3"));
    QCOMPARE(l.t.player.calls.value(0), "URL " + fileNameFromBytes(folder + '/' + stem + ".mp3"));

    // The playlist file holds the paths' bytes as they are; a path with a line break cannot be
    // a line of it and is left out of the file only.
    QVERIFY(chooseRow(l.w(), "REPRODUCIR TODO"));
    const QByteArray list = readFile(l.t.programFolder.filePath("list.m3u"));
    QCOMPARE(list, stem.contains('\n')
                       ? QByteArray()
                       : folder + '/' + stem + ".mp3\r\n" + folder + "/other.mp3\r\n");
    QCOMPARE(l.t.player.playlist.size(), 2);
}

void TestOddNames::picturesPreviewAndShow()
{
    QFETCH(QByteArray, stem);
    QFETCH(QString, shown);
    Library l;
    QVERIFY(writeFileAt(l.at("Fotos/") + stem + ".jpg", jpeg(QSize(40, 30))));
    QVERIFY(chooseRow(l.w(), "Mis Imágenes"));
    QVERIFY(highlightRow(l.w(), shown + ".jpg"));
    QTRY_COMPARE(l.w().imageInfo.LblImSize->text(), QStringLiteral("40 x 30"));
    QVERIFY(l.w().Image2->hasPicture());

    bool shownInTheViewer = false;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* viewer = qobject_cast<PictureViewer*>(modal))
            shownInTheViewer = viewer->Image1->hasPicture();
        if (modal)
            modal->close();
    });
    closer.start(10);
    QVERIFY(chooseRow(l.w(), shown + ".jpg"));
    QVERIFY(shownInTheViewer);
}

void TestOddNames::theTrashKeepsTheName()
{
    QFETCH(QByteArray, stem);
    QFETCH(QString, shown);
    DesktopFileOperations trash;
    Library l(&trash);
    qputenv("XDG_DATA_HOME", QFile::encodeName(l.tree.path("data")));
    const QByteArray path = l.at("Fotos/") + stem + ".jpg";
    QVERIFY(writeFileAt(path, "photo"));
    QVERIFY(chooseRow(l.w(), "Mis Imágenes"));
    QVERIFY(highlightRow(l.w(), shown + ".jpg"));
    ModalAnswers answers({Qt::Key_Left, Qt::Key_Return});
    QTest::keyClick(l.w().LsvMenu, Qt::Key_Delete);
    QCOMPARE(answers.messages, QStringList());
    QVERIFY(readFileAt(path).isEmpty());

    // The entry may have a shorter name than the file (its info file's name must fit too), but
    // the original path is kept whole.
    const QStringList infos = GetFolder(l.tree.path("data/Trash/info"))->fileNames;
    QCOMPARE(infos.size(), 1);
    const QByteArray info = readFileAt(QFile::encodeName(l.tree.path("data/Trash/info/")) +
                                       fileNameBytes(infos.front()));
    QVERIFY2(info.contains("\nPath=" + path.toPercentEncoding("/") + "\n"), info.constData());
    const QByteArray entry = fileNameBytes(infos.front()).chopped(int(strlen(".trashinfo")));
    QCOMPARE(readFileAt(QFile::encodeName(l.tree.path("data/Trash/files/")) + entry), "photo");
}

void TestOddNames::importsCopyTheName()
{
    QFETCH(QByteArray, stem);
    Library l;
    const QByteArray folder = l.at("disc/") + stem;
    QVERIFY(makeFolderAt(folder));
    QVERIFY(writeFileAt(folder + '/' + stem + ".jpg", "photo"));
    l.t.player.driveSpecifiers = {"D:"};
    l.t.drives.drives = {{u'D', true, "DISCO", l.tree.path("disc")}};
    ModalAnswers answers({});
    l.w().importScreen.picCopiar->show();
    l.w().importScreen.List1->setCurrentRow(2);
    QTest::keyClick(l.w().importScreen.List1, Qt::Key_Return);
    QCOMPARE(answers.messages, QStringList());
    QCOMPARE(readFileAt(l.at("Fotos/") + stem + ".jpg"), "photo");
}

QTEST_MAIN(TestOddNames)
#include "tst_oddnames.moc"
