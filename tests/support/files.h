#pragma once

#include <QByteArray>
#include <QString>

// Writes the bytes to the path, making its folders; false on failure.
bool writeFile(const QString& path, const QByteArray& bytes);
