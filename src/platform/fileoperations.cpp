// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fileoperations.h"

QString shellSourceList(const QStringList& paths)
{
    QString list;
    for (const QString& path : paths)
        list += path + QChar(u'\0');
    return list + QChar(u'\0');
}

QStringList pathsOfSourceList(const QString& from)
{
    QStringList paths;
    qsizetype start = 0;
    while (start < from.size()) {
        const qsizetype end = from.indexOf(QChar(u'\0'), start);
        if (end <= start) // the empty entry that ends the list, or no end at all
            break;
        paths << from.mid(start, end - start);
        start = end + 1;
    }
    return paths;
}
