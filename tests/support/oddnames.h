// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QTest>

// The rows of a data-driven test over file names that trip programs up: `stem` is the name's
// bytes on disk before its extension, `shown` what the list shows for it.
inline void addOddNameRows()
{
    QTest::addColumn<QByteArray>("stem");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Latin-1") << QByteArray("Caf\xe9 d\xed"
                                           "a")
                             << QStringLiteral("Café día");
    QTest::newRow("a line break") << QByteArray("l\xc3\xadnea\nnueva")
                                  << QStringLiteral("línea\nnueva");
    QTest::newRow("a leading dash") << QByteArray("-rf") << QStringLiteral("-rf");
    // With its four-byte extension the name is 255 bytes, the longest Linux allows.
    QTest::newRow("255 bytes") << QByteArray(251, 'n') << QString(251, u'n');
    QTest::newRow("shell words") << QByteArray("$(touch hecho) `id`; \"a\" 'b' $HOME")
                                 << QStringLiteral("$(touch hecho) `id`; \"a\" 'b' $HOME");
}
