// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>

// Text whose encoding nobody wrote down: UTF-8 when the bytes are valid UTF-8, otherwise
// Windows-1252, the encoding of text written on Windows in Western Europe.
QString decodeUtf8OrWindows1252(QByteArrayView bytes);

// The character a byte stands for in Windows-1252.
QChar windows1252Character(unsigned char byte);
