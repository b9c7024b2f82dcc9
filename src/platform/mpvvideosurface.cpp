// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/mpvvideosurface.h"

#include "platform/logging.h"
#include "platform/mpvhandle.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QWidget>
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

MpvVideoSurface::MpvVideoSurface(MpvHandle& mpv) : m_mpv(mpv)
{
    setObjectName(QStringLiteral("MpvVideoSurface"));
    setSurfaceType(QSurface::OpenGLSurface);
    // Keys and the pointer stay with the main window.
    setFlags(Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus);
}

MpvVideoSurface::~MpvVideoSurface()
{
    if (!m_render)
        return;
    // mpv frees its GL objects with the context current.
    m_context->makeCurrent(this);
    mpv_render_context_free(m_render);
    m_context->doneCurrent();
}

void MpvVideoSurface::prepare()
{
    if (m_context)
        return;
    create();
    m_context = new QOpenGLContext(this);
    m_context->setFormat(requestedFormat());
    if (!m_context->create() || !m_context->makeCurrent(this)) {
        qCWarning(lcPlatform, "no OpenGL context to draw films in: they play unseen");
        return;
    }
    mpv_opengl_init_params glInit{&procAddress, nullptr};
    std::vector<mpv_render_param> params = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit},
    };
    if (const auto display = windowSystemDisplay(m_mpv.getString("hwdec")))
        params.push_back(*display);
    params.push_back({MPV_RENDER_PARAM_INVALID, nullptr});
    if (const int error = mpv_render_context_create(&m_render, m_mpv.raw(), params.data());
        error < 0) {
        qCWarning(lcPlatform, "mpv cannot draw films here, they play unseen: %s",
                  mpv_error_string(error));
        m_render = nullptr;
    } else {
        mpv_render_context_set_update_callback(m_render, &MpvVideoSurface::onUpdate, this);
    }
    m_context->doneCurrent();
}

void MpvVideoSurface::onUpdate(void* context)
{
    // Called on an mpv thread: only ask for a frame on the GUI thread (Qt delivers one update
    // however often it is asked before then).
    QMetaObject::invokeMethod(static_cast<MpvVideoSurface*>(context), &QWindow::requestUpdate,
                              Qt::QueuedConnection);
}

bool MpvVideoSurface::event(QEvent* event)
{
    if (event->type() == QEvent::UpdateRequest)
        render(false);
    return QWindow::event(event);
}

void MpvVideoSurface::followPointerOf(QWidget* owner)
{
    setCursor(owner->cursor());
    owner->installEventFilter(this);
}

bool MpvVideoSurface::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::CursorChange)
        setCursor(static_cast<QWidget*>(watched)->cursor());
    return false;
}

void MpvVideoSurface::exposeEvent(QExposeEvent*)
{
    render(true);
}

void MpvVideoSurface::render(bool always)
{
    if (!m_render || !isExposed() || !m_context->makeCurrent(this))
        return;
    const bool newFrame = mpv_render_context_update(m_render) & MPV_RENDER_UPDATE_FRAME;
    if (newFrame || always) {
        const qreal ratio = devicePixelRatio();
        mpv_opengl_fbo fbo{int(m_context->defaultFramebufferObject()), int(width() * ratio),
                           int(height() * ratio), 0};
        int flipY = 1;
        mpv_render_param params[] = {
            {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
            {MPV_RENDER_PARAM_FLIP_Y, &flipY},
            {MPV_RENDER_PARAM_INVALID, nullptr},
        };
        mpv_render_context_render(m_render, params);
        m_context->swapBuffers(this);
        mpv_render_context_report_swap(m_render);
    }
}

QWidget* videoSurfaceWidget(MpvHandle& mpv, QWidget* parent)
{
    auto* surface = new MpvVideoSurface(mpv);
    surface->prepare();
    surface->followPointerOf(parent->window());
    QWidget* container = QWidget::createWindowContainer(surface, parent);
    container->setObjectName(QStringLiteral("MpvVideoSurfaceContainer"));
    container->setAttribute(Qt::WA_TransparentForMouseEvents);
    return container;
}
