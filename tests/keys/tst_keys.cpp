// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/elements.h"
#include "form/keycodes.h"
#include "form/menulist.h"
#include "support/scenario.h"

#include <QKeySequence>
#include <QListWidget>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>

class TestKeys : public QObject {
    Q_OBJECT
private slots:
    void keys_data();
    void keys();
    void markABelongsToItsFile();
    void controlPanelHidesItself();
    void keyCodes_data();
    void keyCodes();
    void randomKeysKeepThePromises();
};

void TestKeys::keys_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("player");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("changes");
    struct Row {
        const char* screen;
        const char* player;
        const char* keys;
        const char* changes;
    };
    // The listing is lib/album, with a.mp3 highlighted; b.mp3 and c.mp3 follow it.
    const char* playing = "audio 30/600";
    const char* jump = "jump+controls+player";
    // Space, F1 and F2 are the window's own; Delete and Backspace act on the listing.
    const char* everywhere = "Space, F1, F2, Del, Backspace";
    const char* everywhereDid =
        "title: lib; calls: pause; A: 30; B: 30; repeat: on; modal: question";
    const QList<Row> rows{
        {"list", playing, "Right", "shown: controls; frame: 1; auto-hide: on"},
        {"list", playing, "Left", "shown: controls; frame: 5; auto-hide: on"},
        {"list", playing, "Left, Right, Return", "calls: play; picture: full"},
        {"list", playing, "Right, Down", "shown: controls; row: 4; frame: 1"}, // held up
        {"list", "audio 30/600 paused", "Space", "calls: play"},
        {"list", "audio 30/600 stopped", "Space", "calls: pause"},
        // A remote's Play only plays, after a stop or the end too; its Pause only pauses.
        {"list", playing, "Media Play", "calls: play"},
        {"list", "audio 600/600 stopped", "Media Play", "calls: play"},
        {"list", "audio 30/600 paused", "Media Pause", "calls: pause"},
        {"list", playing, "Esc", "shown: player; picture: full"},
        // A key held with Shift, Ctrl or Alt acts as the bare key, and selects no more rows.
        {"list", playing, "Ctrl+Space", "calls: pause"},
        {"list", playing, "Shift+Return", "calls: URL lib/album/a.mp3, play"},
        {"list", playing, "Alt+Up", "row: 2"},
        {"list", playing, "Ctrl+Shift+Home", "row: 0"},
        {"list", playing, "End", "row: 5"},
        // A held key acts once, and once it is let go for Delete; only the arrows repeat. (Its
        // first press is the plain press: these rows stand for both.)
        {"list", playing, "held Backspace", "title: lib"},
        {"list", playing, "held Return", "calls: URL lib/album/a.mp3, play"},
        {"list", playing, "held Del", "modal: question"},
        {"list", playing, "held Right", "shown: controls; frame: 5; auto-hide: on"},
        {"player", "none", "held Media Next", "calls: URL lib/album/b.mp3, play; song: 1"},
        {"controls", playing, "held Return", "shown: list; calls: play; picture: full"},
        {jump, playing, "held Return", "bar: 90/600"},
        {"import", playing, "held Return", "modal: No hay ninguna unidad de disco en este equipo."},

        // The A-B marks, in whole seconds, halves to the even one.
        {"list", "audio 12.5/600", "F1", "A: 12"},
        {"list", "audio 13.5/600", "F1", "A: 14"},
        {"list", playing, "F2, F2", "B: 30"},
        {"list", playing, "F2, F1", "A: 30; B: 30"},
        // Nothing loaded, or stopped at the start: an old B must not start a repeat that the
        // next file would obey, nor a B of 0 restart the item every second.
        {"list", "none", "F1, F2", ""},
        {"list", "audio 0/600 stopped", "F2", ""},

        {"player", playing, "Return", ""},
        {"player", playing, "Right", "shown: controls+player; frame: 1; auto-hide: on"},
        {"player", playing, "Esc", "shown: list"},
        {"player", playing, everywhere, everywhereDid},

        // The control panel over the list, as while a song plays: Enter runs the framed
        // button, not the highlighted row, and gives the picture back the whole screen.
        {"controls", playing, "Right, Return",
         "shown: list; calls: pause; frame: 1; picture: full"},
        {"controls", playing, "Right, Right, Return",
         "shown: list; calls: stop; stopped: on; frame: 2; picture: full"},
        {"controls", playing, "Right", "frame: 1; auto-hide: on"},
        {"controls", playing, "Esc", "shown: controls+player"},
        // PREV and NEXT step through the folder's songs; at either end nothing opens and the
        // panel stays.
        {"controls", playing, "Left, Left, Return",
         "shown: list; calls: URL lib/album/b.mp3, play; song: 1; frame: 4; picture: full"},
        {"controls", "audio 30/600 song 2", "Left, Left, Left, Return",
         "shown: list; calls: URL lib/album/b.mp3, play; song: 1; frame: 3; picture: full"},
        {"controls", "audio 30/600 song 2", "Left, Left, Return", "frame: 4"},
        {"controls", playing, "Left, Left, Left, Return", "frame: 3"},
        {"player", "Video 30/600 song 1", "Media Previous",
         "calls: URL lib/album/a.mp3, play; song: 0"}, // only "video" is a film
        // In a film, NEXT goes 10 s on and PREV a tenth of the jump bar back (its length is
        // 100 until the jump panel sets it), both refused where they would reach an end.
        {"controls", "video 100/600", "Left, Left, Return",
         "shown: list; position: 110; frame: 4; picture: full"},
        {"controls", "video 15/600", "Left, Left, Left, Return",
         "shown: list; position: 5; frame: 3; picture: full"},
        {jump, "video 100/600", "Esc, Media Previous",
         "shown: player; position: 40; picture: full"},
        {"player", "video 590/600", "Media Next", ""},
        {"player", "video 10/600", "Media Previous", ""},
        {"player", "video 100/600", "Media Stop", "calls: stop; stopped: on"},

        // SELECT opens the jump panel at the position; without the player view its Enter does
        // nothing, and with nothing loaded the bar keeps what it had.
        {"player", "video 100/600", "Left, Return",
         "shown: jump+controls+player; frame: 5; bar: 100/600; picture: hidden"},
        {"controls", "video 100/600", "Left, Return, Return",
         "shown: jump+controls; frame: 5; bar: 100/600; picture: hidden"},
        {"player", "none", "Left, Return",
         "shown: jump+controls+player; frame: 5; picture: hidden"},
        // Más and Menos move the target a tenth of the length, refusing to reach an end; OK
        // jumps there; Escape closes both panels without a seek.
        {jump, playing, "Left, Right", ""},
        {jump, "video 480/600", "Return, Return", "bar: 540/600"},
        {jump, "video 120/600", "Right, Return, Return", "jump: 1; bar: 60/600"},
        {jump, playing, "Return, Left, Return",
         "shown: player; position: 90; jump: 2; bar: 90/600; picture: full"},
        {jump, playing, "Esc", "shown: player; picture: full"},

        // The import list has the keys: Enter imports (here there is no disc to import from).
        {"import", playing, "Backspace, Right, Left, Del", ""},
        {"import", playing, "Space, F1, F2", "calls: pause; A: 30; B: 30; repeat: on"},
        {"import", "video 100/600", "Media Stop, Media Next, Media Previous", ""},
        // Escape closes it first, to the main menu.
        {"import+jump+controls+player", playing, "Esc",
         "shown: jump+controls+player; title: Telarino 0.1a; row: 0"},
    };
    for (const Row& row : rows) {
        QTest::addRow("%s, %s: %s", row.screen, row.player, row.keys)
            << row.screen << row.player << row.keys << row.changes;
    }
}

void TestKeys::keys()
{
    QFETCH(QString, screen);
    QFETCH(QString, player);
    QFETCH(QString, keys);
    Scenario s(screen, player);
    QCOMPARE(s.shown(), screen);
    QVERIFY(s.press(keys));
    QTEST(s.changes(), "changes");
}

void TestKeys::markABelongsToItsFile()
{
    // A taken on one song at 0:30, B on the next at 0:10: the next song repeats from its start,
    // not a second of it back to where the first one was.
    Scenario s;
    s.press("F1");
    s.player().media->sourceURL = QStringLiteral("/m/y");
    s.player().position = 10;
    s.press("F2");
    QCOMPARE(s.window().playback.MarkA, 0);
    QCOMPARE(s.window().playback.MarkB, 10);
    QVERIFY(s.window().playback.RepeatAB);
}

void TestKeys::controlPanelHidesItself()
{
    // Five seconds after the last arrow is let go; the wait is cut short once checked.
    Scenario s;
    QVERIFY(s.press("Right"));
    QTimer* autoHide = s.window().controlPanel.Timer2;
    QCOMPARE(autoHide->interval(), 5000);
    autoHide->start(1);
    QTRY_COMPARE(s.changes(), "frame: 1; picture: full");
}

void TestKeys::keyCodes_data()
{
    // The keys that reach the handlers only by their codes (the others are pressed in keys()),
    // with the X key code where it matters: Up and Down move a question's frame; a remote's
    // Back acts as Backspace, and a Play/Pause button, that X names Play, as Space.
    QTest::addColumn<uint>("xKeyCode");
    QTest::addColumn<int>("code");
    const QList<std::tuple<const char*, uint, int>> codes{
        {"Enter", 0, 13},    {"Up", 0, 38},           {"Down", 0, 40},
        {"Back", 0, 8},      {"Media Play", 172, 32}, {"Toggle Media Play/Pause", 0, 32},
        {"Volume Up", 0, 0}, {"Media Record", 0, 0},
    };
    for (const auto& [name, xKeyCode, code] : codes)
        QTest::newRow(name) << xKeyCode << code;
}

void TestKeys::keyCodes()
{
    QFETCH(uint, xKeyCode);
    const Qt::Key key = QKeySequence(QTest::currentDataTag())[0].key();
    QVERIFY(key != Qt::Key_unknown);
    QTEST(keyCode(QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, xKeyCode, 0, 0)), "code");
}

void TestKeys::randomKeysKeepThePromises()
{
    const quint32 replay = qEnvironmentVariableIsSet("SOFAVIO_KEYS_REPLAY")
                               ? quint32(qEnvironmentVariableIntValue("SOFAVIO_KEYS_REPLAY"))
                               : QRandomGenerator::system()->generate();
    qInfo("random keys: replay with SOFAVIO_KEYS_REPLAY=%u", replay);
    QRandomGenerator random(replay);
    const QList<Qt::Key> keys{
        Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Left,      Qt::Key_Right, Qt::Key_Up,
        Qt::Key_Down,   Qt::Key_PageUp,    Qt::Key_PageDown,  Qt::Key_Home,  Qt::Key_End,
        Qt::Key_Space,  Qt::Key_Escape,    Qt::Key_F1,        Qt::Key_F2,    Qt::Key_Delete,
        Qt::Key_A,      Qt::Key_F5,        Qt::Key_MediaPlay,
    };
    Scenario s("list", "none",
               {"Videos/film.avi", "Musica/Disco/a.mp3", "Musica/Disco/b.mp3",
                "Musica/Disco/Más/c.mp3", "Musica/suelta.mp3", "Fotos/a.jpg", "Fotos/b.wmf"},
               {"Musica"});
    MainWindow& w = s.window();
    FakePlayer& player = s.player();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const auto onMainMenu = [&w] {
        return w.LsvMenu->rows().rowCount() > 0 && w.LsvMenu->rows().row(0).rowKey() == u"tv";
    };

    // Whatever modal window a key opens (a viewer, a question, a message) is closed at once.
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            QTest::keyClick(modal, Qt::Key_Escape);
    });
    closer.start(1);

    const QList<std::optional<CurrentMedia>> media{
        std::nullopt,
        CurrentMedia{s.library().path("Musica/Disco/a.mp3"), "audio", "A", "T", "D", 180},
        CurrentMedia{s.library().path("Videos/film.avi"), "video", {}, {}, {}, 600},
    };
    const QList<PlayState> states{PlayState::Undefined, PlayState::Stopped, PlayState::Paused,
                                  PlayState::Playing};

    // With 10,000 keys or fewer some runs never reach the import screen, alone or over the
    // player view.
    for (int key = 1; key <= 20000; ++key) {
        // Now and then the player moves on by itself: another item, another state.
        if (random.bounded(20) == 0) {
            player.media = media.at(random.bounded(media.size()));
            player.state = states.at(random.bounded(states.size()));
            player.position = random.bounded(700);
            if (player.media)
                emit player.MediaChange(*player.media);
        }
        if (!w.isVisible()) {
            w.show(); // "SALIR" closed it: start again where it was
            QVERIFY(QTest::qWaitForWindowExposed(&w));
        }
        s.press(QKeySequence(keys.at(random.bounded(keys.size()))).toString());

        const QString where = QStringLiteral("key %1, replay %2").arg(key).arg(replay);
        QVERIFY2(w.LsvMenu->rows().rowCount() > 0, qPrintable(where));
        QVERIFY2(w.importScreen.PicBuscando->isHidden(), qPrintable(where));
        if (w.jumpPanelShown()) {
            w.jumpPanel.PicSaltar->repaint();
            QVERIFY2(!w.controlPanel.Timer2->isActive(), qPrintable(where));
        }

        if (key % 250 == 0) {
            // Escape, Backspace and Enter on "MENU PRINCIPAL" always find the way back.
            for (int steps = 0; steps < 64 && !onMainMenu(); ++steps) {
                if (w.importScreenShown() || w.jumpPanelShown()) {
                    s.press("Esc");
                } else if (w.LsvMenu->rows().rowCount() > 2 && !w.playerViewShown() &&
                           !w.controlPanelShown()) {
                    w.LsvMenu->selectRow(2); // "MENU PRINCIPAL" in a listing
                    s.press("Return");
                } else {
                    s.press("Backspace");
                }
            }
            QVERIFY2(onMainMenu(), qPrintable(where + QStringLiteral(": no way back")));
        }
    }
}

QTEST_MAIN(TestKeys)
#include "tst_keys.moc"
