// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/scenario.h"

#include "form/elements.h"
#include "form/menulist.h"
#include "form/twips.h"
#include "keys/controlpanelkeys.h"
#include "keys/jumppanelkeys.h"
#include "media/mediakinds.h"
#include "menu/folderbrowser.h"
#include "platform/filesystem.h"
#include "support/files.h"

#include <QFileInfo>
#include <QKeySequence>
#include <QListWidget>
#include <QTest>
#include <QTimer>

namespace {

void setPlayer(FakePlayer& player, const QString& described)
{
    const QStringList words = described.split(u' ', Qt::SkipEmptyParts);
    if (words.value(0) != u"none") {
        const QStringList times = words.value(1).split(u'/');
        player.media = CurrentMedia{"/m/x", words.value(0), {}, {}, {}, times.value(1).toDouble()};
        player.position = times.value(0).toDouble();
        player.state = PlayState::Playing;
    }
    if (words.contains(u"paused"))
        player.state = PlayState::Paused;
    if (words.contains(u"stopped"))
        player.state = PlayState::Stopped;
}

} // namespace

Scenario::Scenario(const QString& screen, const QString& player, const QStringList& library,
                   const QStringList& discs)
    : m_tree(library)
{
    for (const QString& folder : discs) {
        const auto letter = char16_t(u'D' + m_test.drives.drives.size());
        m_test.drives.drives.emplace_back(letter, true, QFileInfo(folder).fileName(),
                                          m_tree.path(folder));
    }
    writeFile(m_test.programFolder.filePath("folders.ini"), m_tree.foldersIni("", "", "", "tv"));
    m_test.create();
    MainWindow& w = window();
    w.Timer1->stop(); // the playback tests drive its ticks
    setPlayer(m_test.player, player);
    w.playback.MarkA = w.playback.MarkB = -1;
    const QString listed = QFileInfo(m_tree.path(library.value(0))).path();
    w.File1.pattern = kAllMediaPattern;
    Explore(w, listed);
    w.playback.File2.assign(listed, GetFolder(listed)->fileNames);
    const QStringList words = player.split(u' ');
    if (words.contains(u"song"))
        w.playback.TrackIndex = words.value(words.indexOf(u"song") + 1).toInt();

    // The picture starts short, as a control panel leaves it, to show who gives it back.
    setTwipHeight(w.playerView.MediaPlayer, 100);
    const QStringList panels = screen.split(u'+');
    if (panels.contains(u"player"))
        w.playerView.PicMediaPlayer->show();
    if (panels.contains(u"controls"))
        w.controlPanel.PicControls->show(); // PLAY framed
    if (panels.contains(u"jump"))
        OpenJumpPanel(w);
    if (panels.contains(u"import"))
        w.importScreen.picCopiar->show();
    paint();
    m_start = describe();
}

bool Scenario::press(const QString& keys)
{
    for (QString name : keys.split(u',')) {
        name = name.trimmed();
        const bool held = name.startsWith(u"held ");
        const QKeySequence key(held ? name.mid(5) : name);
        if (key.count() != 1 || key[0].key() == Qt::Key_unknown) {
            qWarning("no key is named %s", qPrintable(name));
            return false;
        }
        if (held) {
            hold(key[0]);
        } else {
            send(QEvent::KeyPress, key[0]);
            send(QEvent::KeyRelease, key[0]);
        }
        paint();
    }
    return true;
}

void Scenario::send(QEvent::Type type, QKeyCombination key, bool repeat)
{
    MainWindow& w = window();
    QWidget* list = w.importScreenShown() ? static_cast<QWidget*>(w.importScreen.List1) : w.LsvMenu;
    const bool printable = key.key() >= Qt::Key_Space && key.key() <= Qt::Key_AsciiTilde;
    QKeyEvent event(type, key.key(), key.keyboardModifiers(),
                    printable ? QString(QChar(key.key())) : QString(), repeat);
    QApplication::sendEvent(list, &event);
}

void Scenario::hold(QKeyCombination key)
{
    // As X11 reports a key held down: a release before each repeated press, and two repeats
    // whose presses come late, so that Qt takes their releases for real ones.
    send(QEvent::KeyPress, key);
    for (int repeat = 0; repeat < 2; ++repeat) {
        send(QEvent::KeyRelease, key, true);
        send(QEvent::KeyPress, key, true);
    }
    for (int late = 0; late < 2; ++late) {
        QTest::qWait(160);
        send(QEvent::KeyRelease, key);
        send(QEvent::KeyPress, key);
    }
    QTest::qWait(160);
    send(QEvent::KeyRelease, key);
    QTest::qWait(100); // the release of a held key counts a moment later
}

void Scenario::paint()
{
    // As a window on screen paints its panels after each key; a test window is never painted.
    if (window().controlPanelShown())
        PicControls_Paint(window());
    if (window().jumpPanelShown())
        PicSaltar_Paint(window());
}

QString Scenario::shown() const
{
    const MainWindow& w = *m_test.window;
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

QList<std::pair<QString, QString>> Scenario::describe() const
{
    const MainWindow& w = *m_test.window;
    const FakePlayer& player = m_test.player;
    const auto number = [](double value) { return QString::number(value); };
    const auto onOff = [](bool on) { return QString(on ? "on" : "off"); };
    QStringList rows;
    for (const QModelIndex& row : w.LsvMenu->selectionModel()->selectedRows())
        rows << number(row.row());
    const QWidget* picture = w.playerView.MediaPlayer;
    const QString pictureSize = picture->isHidden()                           ? "hidden"
                                : twipRect(picture).size() == screenTwips(&w) ? "full"
                                                                              : "short";
    QStringList modal(int(m_answers.asked.size()), QStringLiteral("question"));
    return {
        {"shown", shown()},
        {"title", w.LblTitle->text()},
        {"row", rows.join(u',')},
        {"calls", player.calls.join(", ").remove(m_tree.path() + u'/')},
        {"position", player.position ? number(*player.position) : "none"},
        {"stopped", onOff(w.playback.StoppedByUser)},
        {"song", number(w.playback.TrackIndex)},
        {"frame", number(w.record.ControlIndex)},
        {"jump", number(w.record.JumpIndex)},
        {"bar", number(w.jumpPanel.bar.value) + u'/' + number(w.jumpPanel.bar.maximum)},
        {"A", number(w.playback.MarkA)},
        {"B", number(w.playback.MarkB)},
        {"repeat", onOff(w.playback.RepeatAB)},
        {"picture", pictureSize},
        {"auto-hide", onOff(w.controlPanel.Timer2->isActive())},
        {"modal", (modal + m_answers.messages).join(", ")},
    };
}

QString Scenario::changes() const
{
    const QList<std::pair<QString, QString>> now = describe();
    QStringList changed;
    for (qsizetype field = 0; field < now.size(); ++field) {
        if (now[field] != m_start[field])
            changed << now[field].first + ": " + now[field].second;
    }
    return changed.join("; ");
}
