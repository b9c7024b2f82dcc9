// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "media/filelist.h"

#include <QDialog>
#include <chrono>

class Picture;

// A picture decoded within this is shown at once, with no black moment before it.
inline constexpr std::chrono::milliseconds kPictureAtOnce{100};
class PictureDecoder;
struct DecodedPicture;

// The full-screen picture viewer (frmPics): one picture of a folder at a time, fitted and
// centred on black; Left and Right step through the folder, Escape or Enter close it.
class PictureViewer : public QDialog {
    Q_OBJECT
public:
    explicit PictureViewer(QWidget* owner);

    // Loads the picture chosen in File1, fits it to the window and shows it; read off the
    // screen's thread, it appears when ready.
    void ScaleImage();

    // Opens over the whole screen and returns when the viewer is closed.
    void showModal();

    FileList File1;
    int ListIndex = 0;
    Picture* Image1 = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void showDecoded(const DecodedPicture& decoded);

    PictureDecoder* m_decoder = nullptr;
    QString m_shown; // the picture asked for
};
