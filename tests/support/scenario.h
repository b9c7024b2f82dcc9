// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/librarytree.h"
#include "support/modalanswers.h"
#include "support/testwindow.h"

#include <utility>

// The real window set up as a table row says, worked with keys and described field by field,
// so that a case is a row of a table: its set-up, its keys and what they changed.
class Scenario {
public:
    // screen: the panels on screen, as shown() names them.
    // player: what the player reports, as "TYPE POSITION/LENGTH", then "paused" or "stopped"
    // unless it plays, and "song N" for the song of the folder it is on: "video 100/600
    // paused". "none": nothing loaded, and no position.
    // library: paths as LibraryTree takes them; every menu of folders.ini opens the library.
    // The folder of the first file is listed, with that file highlighted, and holds the songs
    // PREV and NEXT step through.
    // discs: folders of the library in which a disc is mounted, in drives D, E and on.
    explicit Scenario(const QString& screen = QStringLiteral("list"),
                      const QString& player = QStringLiteral("audio 30/600"),
                      const QStringList& library = {"lib/album/a.mp3", "lib/album/b.mp3",
                                                    "lib/album/c.mp3"},
                      const QStringList& discs = {});

    MainWindow& window() { return *m_test.window; }
    FakePlayer& player() { return m_test.player; }
    const LibraryTree& library() const { return m_tree; }

    // Presses and lets go each of the comma-separated keys, as QKeySequence names them
    // ("Right, Ctrl+Space, Media Next"), on the list that has the focus; false for a key
    // without a name. "held Return": Return held down for a while.
    bool press(const QString& keys);
    // The panels on screen, the top one first ("jump+controls+player"), or "list" for none.
    QString shown() const;
    // What differs from the set-up, as "field: value" pairs in a fixed order, "; " between.
    QString changes() const;

private:
    QList<std::pair<QString, QString>> describe() const;
    void paint();
    // Sends the key to the list that has the focus.
    void send(QEvent::Type type, QKeyCombination key, bool repeat = false);
    void hold(QKeyCombination key);

    LibraryTree m_tree;
    TestWindow m_test;
    ModalAnswers m_answers{{Qt::Key_Escape}}; // a question: Escape; a message box: Enter
    QList<std::pair<QString, QString>> m_start;
};
