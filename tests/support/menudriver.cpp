// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/menudriver.h"

#include "app/mainwindow.h"
#include "form/menulist.h"
#include "menu/folderbrowser.h"

#include <QTest>

QStringList rowTexts(MainWindow& window)
{
    QStringList texts;
    for (const MenuRow& row : window.LsvMenu->rows().rows())
        texts << (row.isMainMenuRow() ? row.subItems.front().text : row.text);
    return texts;
}

bool highlightRow(MainWindow& window, const QString& text)
{
    const qsizetype row = rowTexts(window).indexOf(text);
    if (row < 0) {
        qWarning("no row %s", qPrintable(text));
        return false;
    }
    window.LsvMenu->selectRow(int(row));
    return true;
}

bool chooseRow(MainWindow& window, const QString& text)
{
    if (!highlightRow(window, text))
        return false;
    QTest::keyClick(window.LsvMenu, Qt::Key_Return);
    return true;
}

bool listFolder(MainWindow& window, const QString& path)
{
    Explore(window, path);
    return QTest::qWaitFor([&] { return !window.folders.reading(); }) && window.File1.path == path;
}
