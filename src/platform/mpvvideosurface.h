#pragma once

#include <QOpenGLWidget>
#include <mpv/render.h>
#include <optional>

class MpvPlayer;
struct mpv_render_context;

// The window system's display for mpv's render context, with which mpv decodes films on the
// graphics card and hands its frames to GL without a copy through the processor. Given only
// where films decode on the card (HWDEC is not "no"): with a display mpv opens every decoding
// driver it knows on each film, and every one the machine lacks prints a complaint.
std::optional<mpv_render_param> windowSystemDisplay(const QByteArray& hwdec);

// Where mpv draws the video: its render API into this widget's framebuffer. mpv's render
// context lives from the widget's first GL initialisation until the widget goes.
class MpvVideoSurface : public QOpenGLWidget {
    Q_OBJECT
public:
    MpvVideoSurface(MpvPlayer& player, QWidget* parent);
    ~MpvVideoSurface() override;

    // Makes the render context now, even while hidden, so a video opened later finds mpv
    // ready to draw.
    void prepare();

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    static void onUpdate(void* context);

    MpvPlayer& m_player;
    mpv_render_context* m_render = nullptr;
};
