#include "form/elements.h"
#include "form/menulist.h"
#include "support/files.h"
#include "support/librarytree.h"
#include "support/testwindow.h"

#include <QListWidget>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>

namespace {

constexpr int kKeys = 20000;
constexpr int kWayBackEvery = 250;
constexpr int kWayBackSteps = 64;

const QList<Qt::Key> kKeyMap{
    Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Left,      Qt::Key_Right, Qt::Key_Up,
    Qt::Key_Down,   Qt::Key_PageUp,    Qt::Key_PageDown,  Qt::Key_Home,  Qt::Key_End,
    Qt::Key_Space,  Qt::Key_Escape,    Qt::Key_F1,        Qt::Key_F2,    Qt::Key_Delete,
    Qt::Key_A,      Qt::Key_F5,        Qt::Key_MediaPlay,
};

bool onMainMenu(MainWindow& w)
{
    return w.LsvMenu->rows().rowCount() > 0 && w.LsvMenu->rows().row(0).rowKey() == u"tv";
}

} // namespace

class TestKeyProperties : public QObject {
    Q_OBJECT
private slots:
    void randomKeysKeepThePromises();
};

void TestKeyProperties::randomKeysKeepThePromises()
{
    const quint32 replay = qEnvironmentVariableIsSet("SOFAVIO_KEYS_REPLAY")
                               ? quint32(qEnvironmentVariableIntValue("SOFAVIO_KEYS_REPLAY"))
                               : QRandomGenerator::system()->generate();
    qInfo("random keys: replay with SOFAVIO_KEYS_REPLAY=%u", replay);
    QRandomGenerator random(replay);

    const LibraryTree tree({"Videos/film.avi", "Musica/Disco/a.mp3", "Musica/Disco/b.mp3",
                            "Musica/Disco/Más/c.mp3", "Musica/suelta.mp3", "Fotos/a.jpg",
                            "Fotos/b.wmf"});
    TestWindow t;
    t.drives.drives = {{u'D', true, "DISCO", tree.path("Musica")}};
    QVERIFY(writeFile(t.programFolder.filePath("folders.ini"),
                      tree.foldersIni("Videos", "Musica", "Fotos", "tvtime")));
    t.create();
    MainWindow& w = *t.window;
    w.Timer1->stop();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    // Whatever modal window a key opens (a viewer, a question, a message) is closed at once.
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            QTest::keyClick(modal, Qt::Key_Escape);
    });
    closer.start(1);

    const QList<std::optional<CurrentMedia>> media{
        std::nullopt,
        CurrentMedia{tree.path("Musica/Disco/a.mp3"), "audio", "A", "T", "D", 180},
        CurrentMedia{tree.path("Videos/film.avi"), "video", {}, {}, {}, 600},
    };
    const QList<PlayState> states{PlayState::Undefined, PlayState::Stopped, PlayState::Paused,
                                  PlayState::Playing};

    for (int key = 1; key <= kKeys; ++key) {
        // Now and then the player moves on by itself: another item, another state.
        if (random.bounded(20) == 0) {
            t.player.media = media.at(random.bounded(media.size()));
            t.player.state = states.at(random.bounded(states.size()));
            t.player.position = random.bounded(700);
            if (t.player.media)
                emit t.player.MediaChange(MediaItem{t.player.media->sourceURL});
        }
        if (!w.isVisible()) {
            w.show(); // "SALIR" closed it: start again where it was
            QVERIFY(QTest::qWaitForWindowExposed(&w));
        }
        QWidget* focused =
            w.importScreenShown() ? static_cast<QWidget*>(w.importScreen.List1) : w.LsvMenu;
        QTest::keyClick(focused, kKeyMap.at(random.bounded(kKeyMap.size())));

        const QString where = QStringLiteral("key %1, replay %2").arg(key).arg(replay);
        QVERIFY2(w.LsvMenu->rows().rowCount() > 0, qPrintable(where));
        QVERIFY2(w.state.ControlIndex >= 0 && w.state.ControlIndex <= 5, qPrintable(where));
        QVERIFY2(w.state.JumpIndex >= 0 && w.state.JumpIndex <= 2, qPrintable(where));
        QVERIFY2(w.importScreen.PicBuscando->isHidden(), qPrintable(where));
        if (w.jumpPanelShown()) {
            w.jumpPanel.PicSaltar->repaint();
            QVERIFY2(!w.controlPanel.Timer2->isActive(), qPrintable(where));
        }

        if (key % kWayBackEvery == 0) {
            // Escape, Backspace and Enter on "MENU PRINCIPAL" always find the way back.
            int steps = 0;
            for (; steps < kWayBackSteps && !onMainMenu(w); ++steps) {
                if (w.importScreenShown() || w.jumpPanelShown()) {
                    QTest::keyClick(w.importScreenShown()
                                        ? static_cast<QWidget*>(w.importScreen.List1)
                                        : w.LsvMenu,
                                    Qt::Key_Escape);
                } else if (w.LsvMenu->rows().rowCount() > 2 && !w.playerViewShown() &&
                           !w.controlPanelShown()) {
                    w.LsvMenu->selectRow(2); // "MENU PRINCIPAL" in a listing
                    QTest::keyClick(w.LsvMenu, Qt::Key_Return);
                } else {
                    QTest::keyClick(w.LsvMenu, Qt::Key_Backspace);
                }
            }
            QVERIFY2(onMainMenu(w), qPrintable(where + QStringLiteral(": no way back")));
        }
    }
}

QTEST_MAIN(TestKeyProperties)
#include "tst_keyproperties.moc"
