// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Writes the bytes to the path, making its folders; false on failure.
bool writeFile(const QString& path, const QByteArray& bytes);
// The file's bytes; empty when it cannot be read.
QByteArray readFile(const QString& path);

// The same by a path's exact bytes, for names that are not UTF-8; the folder must be there.
bool writeFileAt(const QByteArray& path, const QByteArray& bytes);
bool makeFolderAt(const QByteArray& path);
QByteArray readFileAt(const QByteArray& path);
