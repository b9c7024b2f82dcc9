#include "platform/mpvvideosurface.h"

#include "platform/mpvplayer.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <mpv/render_gl.h>
#include <qpa/qplatformnativeinterface.h>
#include <vector>

namespace {

void* procAddress(void*, const char* name)
{
    QOpenGLContext* context = QOpenGLContext::currentContext();
    return context ? reinterpret_cast<void*>(context->getProcAddress(name)) : nullptr;
}

} // namespace

std::optional<mpv_render_param> windowSystemDisplay(const QByteArray& hwdec)
{
    if (hwdec.isEmpty() || hwdec == "no" || !qGuiApp)
        return std::nullopt;
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && x11->display())
        return mpv_render_param{MPV_RENDER_PARAM_X11_DISPLAY, x11->display()};
    // Qt 6.4 names the Wayland connection only through its platform plugin's interface.
    if (void* wayland = QGuiApplication::platformNativeInterface()->nativeResourceForIntegration(
            QByteArrayLiteral("wl_display")))
        return mpv_render_param{MPV_RENDER_PARAM_WL_DISPLAY, wayland};
    return std::nullopt;
}

MpvVideoSurface::MpvVideoSurface(MpvPlayer& player, QWidget* parent)
    : QOpenGLWidget(parent), m_player(player)
{
    setObjectName(QStringLiteral("MpvVideoSurface"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

MpvVideoSurface::~MpvVideoSurface()
{
    if (!m_render)
        return;
    // mpv frees its GL objects with the context current.
    makeCurrent();
    mpv_render_context_free(m_render);
    doneCurrent();
}

void MpvVideoSurface::prepare()
{
    // Initialises the widget's GL context without showing it.
    grabFramebuffer();
}

void MpvVideoSurface::initializeGL()
{
    mpv_opengl_init_params glInit{&procAddress, nullptr};
    std::vector<mpv_render_param> params = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit},
    };
    if (const auto display = windowSystemDisplay(m_player.hardwareDecoding()))
        params.push_back(*display);
    params.push_back({MPV_RENDER_PARAM_INVALID, nullptr});
    if (mpv_render_context_create(&m_render, m_player.handle(), params.data()) < 0) {
        m_render = nullptr;
        return;
    }
    mpv_render_context_set_update_callback(m_render, &MpvVideoSurface::onUpdate, this);
}

void MpvVideoSurface::onUpdate(void* context)
{
    // Called on an mpv thread: only ask for a repaint on the GUI thread.
    QMetaObject::invokeMethod(static_cast<MpvVideoSurface*>(context), qOverload<>(&QWidget::update),
                              Qt::QueuedConnection);
}

void MpvVideoSurface::paintGL()
{
    if (!m_render)
        return;
    const qreal ratio = devicePixelRatioF();
    mpv_opengl_fbo fbo{int(defaultFramebufferObject()), int(width() * ratio), int(height() * ratio),
                       0};
    int flipY = 1;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
        {MPV_RENDER_PARAM_FLIP_Y, &flipY},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context_render(m_render, params);
}
