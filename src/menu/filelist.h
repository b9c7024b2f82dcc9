#pragma once

#include <QString>
#include <QStringList>

// The folder being browsed and those of its files that match the pattern, by bare name.
struct FileList {
    QString path;
    QString pattern; // wildcards separated by ';'
    QStringList entries;
};
