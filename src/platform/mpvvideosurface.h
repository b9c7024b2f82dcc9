// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWindow>
#include <mpv/render.h>
#include <optional>

class MpvHandle;
class QOpenGLContext;
class QWidget;
struct mpv_render_context;

// The window system's display for mpv's render context, with which mpv decodes films on the
// graphics card and hands its frames to GL without a copy through the processor. Given only
// where films decode on the card (HWDEC is not "no"): with a display mpv opens every decoding
// driver it knows on each film, and every one the machine lacks prints a complaint.
std::optional<mpv_render_param> windowSystemDisplay(const QByteArray& hwdec);

// Where mpv draws the video: a native window of its own, with its own GL context, which mpv
// draws straight into, one swap per new frame. (An OpenGL widget is drawn into a framebuffer
// of its own that Qt then copies into the window with the rest of it at every frame, which
// cost nearly twice the processor time and dropped frames.) Shown among the widgets through
// a window container (videoSurfaceWidget).
class MpvVideoSurface : public QWindow {
    Q_OBJECT
public:
    explicit MpvVideoSurface(MpvHandle& mpv);
    ~MpvVideoSurface() override;

    // Makes the GL context and mpv's render context now, even while hidden, so a video
    // opened later finds mpv ready to draw.
    void prepare();

    // Wears the pointer OWNER wears, shown or blank: a window of its own keeps its own
    // pointer, which under Wayland would show over the film however the owner hides it.
    void followPointerOf(QWidget* owner);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void exposeEvent(QExposeEvent* event) override;

private:
    static void onUpdate(void* context);
    // Draws mpv's new frame, or with ALWAYS the current one too (the window shown or resized).
    void render(bool always);

    MpvHandle& m_mpv;
    QOpenGLContext* m_context = nullptr;
    mpv_render_context* m_render = nullptr;
};

// The surface inside PARENT, as a widget; the widget owns the surface.
QWidget* videoSurfaceWidget(MpvHandle& mpv, QWidget* parent);
