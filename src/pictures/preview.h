// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>

struct FrmMain;

// Shows the picture beside the list, no wider than the room between the list and the edge
// of the screen, with its size and date under it in the picture library. The picture is
// decoded off the screen's thread and appears when ready; one that cannot be decoded leaves
// the preview hidden.
void PreviewPicture(FrmMain& window, const QString& strImagePath);

// Puts decoded pictures on screen; called once, when the window is built.
void connectPreview(FrmMain& window);

// Empties the preview (it keeps its place) and forgets a picture still being decoded.
void clearPreview(FrmMain& window);

// The preview follows the highlighted row, by its key: a picture is shown (the one already
// shown stays, without a blink); in the picture library anything else empties the preview.
void previewHighlightedRow(FrmMain& window, const QString& key);

// The factor a picture W twips wide is shrunk by to fit the room: down from 1 in steps of
// 0.01 while it is too wide. Only the width is tested.
double previewShrinkFactor(double naturalWidth, double room);

// "640 x 480", and the day a file was made as "05/03/2004".
QString pictureSizeText(QSize pixels);
QString pictureDateText(const QDateTime& created);
