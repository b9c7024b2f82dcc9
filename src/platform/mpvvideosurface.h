#pragma once

#include <QOpenGLWidget>

class MpvPlayer;
struct mpv_render_context;

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
