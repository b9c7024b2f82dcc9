#pragma once

#include <QString>

class MainWindow;

// Shows the picture beside the list, no wider than the room between the list and the edge
// of the screen. A file that is not a picture leaves the preview hidden.
void PreviewPicture(MainWindow& window, const QString& strImagePath);

// The factor a picture W twips wide is shrunk by to fit the room: down from 1 in steps of
// 0.01 while it is too wide. Only the width is tested.
double previewShrinkFactor(double naturalWidth, double room);
