#include "form/elements.h"
#include "form/mediakinds.h"
#include "form/menulist.h"
#include "keys/jumppanel.h"
#include "menu/folderbrowser.h"
#include "support/librarytree.h"
#include "support/modalanswers.h"
#include "support/testwindow.h"

#include <QKeySequence>
#include <QListWidget>
#include <QTest>
#include <QTimer>

namespace {

// The window in one of its five screens, over a folder listing whose highlighted row is a song.
struct Screen {
    explicit Screen(const QString& name) : tree({"lib/album/a.mp3"})
    {
        t.create();
        t.player.media = CurrentMedia{"/m/x.mp3", "audio", {}, {}, {}, 600};
        t.player.position = 30;
        t.player.state = PlayState::Playing;
        MainWindow& w = *t.window;
        w.state.MarkA = w.state.MarkB = -1;
        w.File1.pattern = kAudioPattern;
        Explore(w, tree.path("lib/album"));
        if (name == u"player" || name == u"jump")
            w.playerView.PicMediaPlayer->show();
        if (name == u"controls" || name == u"jump")
            w.controlPanel.PicControls->show(); // PLAY framed
        if (name == u"jump")
            OpenJumpPanel(w);
        if (name == u"import")
            w.importScreen.picCopiar->show();
        focus = name == u"import" ? static_cast<QWidget*>(w.importScreen.List1) : w.LsvMenu;
    }

    QString shown() const
    {
        const MainWindow& w = *t.window;
        QStringList panels;
        if (w.importScreenShown())
            panels << "import";
        if (w.jumpPanelShown())
            panels << "jump";
        if (w.controlPanelShown())
            panels << "controls";
        if (w.playerViewShown())
            panels << "player";
        return panels.isEmpty() ? QStringLiteral("list") : panels.join(u'+');
    }

    LibraryTree tree;
    TestWindow t;
    QWidget* focus = nullptr;
};

} // namespace

class TestKeyMap : public QObject {
    Q_OBJECT
private slots:
    void everyKeyInEveryScreen_data();
    void everyKeyInEveryScreen();
    void heldKeysActOnceLetGo();
    void modifiersActAsTheBareKey_data();
    void modifiersActAsTheBareKey();
};

void TestKeyMap::everyKeyInEveryScreen_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("shownAfter");
    QTest::addColumn<QString>("calls"); // asked of the player, in order
    QTest::addColumn<QString>("title"); // album: the listing stays; lib: it went back a folder
    QTest::addColumn<QString>("marks"); // control frame, jump frame, A, B, repeat
    QTest::addColumn<QString>("modal"); // the window that opened, if any
    const QString song = QStringLiteral("URL %1/lib/album/a.mp3 play");
    const QString still = QStringLiteral("C0 J0 A-1 B-1 off");
    struct Cell {
        const char* screen;
        Qt::Key key;
        const char* shownAfter;
        QString calls;
        const char* title;
        QString marks;
        const char* modal;
    };
    const QList<Cell> cells{
        {"list", Qt::Key_Return, "list", song, "album", still, ""},
        {"list", Qt::Key_Backspace, "list", "", "lib", still, ""},
        {"list", Qt::Key_Right, "controls", "", "album", "C1 J0 A-1 B-1 off", ""},
        {"list", Qt::Key_Left, "controls", "", "album", "C5 J0 A-1 B-1 off", ""},
        {"list", Qt::Key_Space, "list", "pause", "album", still, ""},
        {"list", Qt::Key_Escape, "player", "", "album", still, ""},
        {"list", Qt::Key_F1, "list", "", "album", "C0 J0 A30 B-1 off", ""},
        {"list", Qt::Key_F2, "list", "", "album", "C0 J0 A-1 B30 on", ""},
        {"list", Qt::Key_Delete, "list", "", "album", still, "question"},

        {"player", Qt::Key_Return, "player", "", "album", still, ""},
        {"player", Qt::Key_Backspace, "player", "", "lib", still, ""},
        {"player", Qt::Key_Right, "controls+player", "", "album", "C1 J0 A-1 B-1 off", ""},
        {"player", Qt::Key_Left, "controls+player", "", "album", "C5 J0 A-1 B-1 off", ""},
        {"player", Qt::Key_Space, "player", "pause", "album", still, ""},
        {"player", Qt::Key_Escape, "list", "", "album", still, ""},
        {"player", Qt::Key_F1, "player", "", "album", "C0 J0 A30 B-1 off", ""},
        {"player", Qt::Key_F2, "player", "", "album", "C0 J0 A-1 B30 on", ""},
        {"player", Qt::Key_Delete, "player", "", "album", still, "question"},

        // The control panel over the list, as while a song plays: Enter runs the framed
        // button, not the highlighted row.
        {"controls", Qt::Key_Return, "list", "play", "album", still, ""},
        {"controls", Qt::Key_Backspace, "controls", "", "lib", still, ""},
        {"controls", Qt::Key_Right, "controls", "", "album", "C1 J0 A-1 B-1 off", ""},
        {"controls", Qt::Key_Left, "controls", "", "album", "C5 J0 A-1 B-1 off", ""},
        {"controls", Qt::Key_Space, "controls", "pause", "album", still, ""},
        {"controls", Qt::Key_Escape, "controls+player", "", "album", still, ""},
        {"controls", Qt::Key_F1, "controls", "", "album", "C0 J0 A30 B-1 off", ""},
        {"controls", Qt::Key_F2, "controls", "", "album", "C0 J0 A-1 B30 on", ""},
        {"controls", Qt::Key_Delete, "controls", "", "album", still, "question"},

        // Enter on "Más" moves the target only; Escape closes both panels without a seek.
        {"jump", Qt::Key_Return, "jump+controls+player", "", "album", still, ""},
        {"jump", Qt::Key_Backspace, "jump+controls+player", "", "lib", still, ""},
        {"jump", Qt::Key_Right, "jump+controls+player", "", "album", "C0 J1 A-1 B-1 off", ""},
        {"jump", Qt::Key_Left, "jump+controls+player", "", "album", "C0 J2 A-1 B-1 off", ""},
        {"jump", Qt::Key_Space, "jump+controls+player", "pause", "album", still, ""},
        {"jump", Qt::Key_Escape, "player", "", "album", still, ""},
        {"jump", Qt::Key_F1, "jump+controls+player", "", "album", "C0 J0 A30 B-1 off", ""},
        {"jump", Qt::Key_F2, "jump+controls+player", "", "album", "C0 J0 A-1 B30 on", ""},
        {"jump", Qt::Key_Delete, "jump+controls+player", "", "album", still, "question"},

        // The import list has the keys: Enter imports (here there is no drive to import from).
        {"import", Qt::Key_Return, "import", "", "album", still, "message"},
        {"import", Qt::Key_Backspace, "import", "", "album", still, ""},
        {"import", Qt::Key_Right, "import", "", "album", still, ""},
        {"import", Qt::Key_Left, "import", "", "album", still, ""},
        {"import", Qt::Key_Space, "import", "pause", "album", still, ""},
        {"import", Qt::Key_Escape, "list", "", "Telarino 0.1a", still, ""},
        {"import", Qt::Key_F1, "import", "", "album", "C0 J0 A30 B-1 off", ""},
        {"import", Qt::Key_F2, "import", "", "album", "C0 J0 A-1 B30 on", ""},
        {"import", Qt::Key_Delete, "import", "", "album", still, ""},
    };
    for (const Cell& cell : cells) {
        QTest::addRow("%s %s", cell.screen, qPrintable(QKeySequence(cell.key).toString()))
            << cell.screen << cell.key << cell.shownAfter << cell.calls << cell.title << cell.marks
            << cell.modal;
    }
}

void TestKeyMap::everyKeyInEveryScreen()
{
    QFETCH(QString, screen);
    QFETCH(Qt::Key, key);
    Screen s(screen);
    MainWindow& w = *s.t.window;
    ModalAnswers answers({Qt::Key_Escape});
    QTest::keyClick(s.focus, key);

    QTEST(s.shown(), "shownAfter");
    QTEST(s.t.player.calls.join(u' ').replace(s.tree.path(), "%1"), "calls");
    QTEST(w.LblTitle->text(), "title");
    QTEST(QStringLiteral("C%1 J%2 A%3 B%4 %5")
              .arg(w.state.ControlIndex)
              .arg(w.state.JumpIndex)
              .arg(w.state.MarkA)
              .arg(w.state.MarkB)
              .arg(w.state.RepeatAB ? "on" : "off"),
          "marks");
    QTEST(QString(answers.questions            ? "question"
                  : answers.messages.isEmpty() ? ""
                                               : "message"),
          "modal");
}

void TestKeyMap::heldKeysActOnceLetGo()
{
    // X11 sends a release before each repeated press of a held key; only letting go counts.
    Screen s(QStringLiteral("list"));
    MainWindow& w = *s.t.window;
    ModalAnswers answers({Qt::Key_Escape});
    int asked = 0;
    for (Qt::Key key : {Qt::Key_Delete, Qt::Key_Right}) {
        QTest::keyPress(w.LsvMenu, key);
        for (int repeat = 0; repeat < 3; ++repeat) {
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(), true);
            QCoreApplication::sendEvent(w.LsvMenu, &release);
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
            QCoreApplication::sendEvent(w.LsvMenu, &press);
        }
        QCOMPARE(answers.questions, asked);
        QVERIFY(!w.controlPanel.Timer2->isActive());
        QTest::keyRelease(w.LsvMenu, key);
        asked = 1; // Delete, once let go
    }
    QCOMPARE(answers.questions, 1);
    QVERIFY(w.controlPanel.Timer2->isActive());
    QCOMPARE(w.state.ControlIndex, 4); // each repeated Right moved the frame

    // A repeat whose press comes late looks to Qt like a real release; the key comes down
    // again at once, so it was not let go.
    QTest::keyPress(w.LsvMenu, Qt::Key_Delete);
    QTest::qWait(200);
    QTest::keyRelease(w.LsvMenu, Qt::Key_Delete);
    QTest::keyPress(w.LsvMenu, Qt::Key_Delete);
    QTest::qWait(200);
    QCOMPARE(answers.questions, 1);
    QTest::keyRelease(w.LsvMenu, Qt::Key_Delete);
    QTRY_COMPARE(answers.questions, 2);
}

void TestKeyMap::modifiersActAsTheBareKey_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("held");
    QTest::addColumn<int>("rowAfter");
    QTest::addColumn<QString>("calls");
    QTest::newRow("Ctrl+Space keeps the highlight")
        << Qt::Key_Space << Qt::KeyboardModifiers(Qt::ControlModifier) << 3 << "pause";
    QTest::newRow("Shift+Enter plays") << Qt::Key_Return << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                       << 3 << "URL %1/lib/album/a.mp3 play";
    QTest::newRow("Alt+Up moves up")
        << Qt::Key_Up << Qt::KeyboardModifiers(Qt::AltModifier) << 2 << "";
    QTest::newRow("Ctrl+Shift+Home goes to the top")
        << Qt::Key_Home << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier) << 0
        << "";
}

void TestKeyMap::modifiersActAsTheBareKey()
{
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, held);
    Screen s(QStringLiteral("list"));
    MainWindow& w = *s.t.window;
    QTest::keyClick(w.LsvMenu, key, held);
    QTEST(w.LsvMenu->selectedRow(), "rowAfter");
    QTEST(s.t.player.calls.join(u' ').replace(s.tree.path(), "%1"), "calls");
    QCOMPARE(w.LsvMenu->selectionModel()->selectedRows().size(), 1);
}

QTEST_MAIN(TestKeyMap)
#include "tst_keymap.moc"
