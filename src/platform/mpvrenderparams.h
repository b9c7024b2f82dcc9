#pragma once

#include <mpv/render_gl.h>
#include <vector>

// What mpv's OpenGL render context is made with: the GL entry points and, on X11, the
// window system's display, without which mpv cannot decode in hardware straight into the
// picture it draws. The list ends with the terminating entry.
std::vector<mpv_render_param> renderContextParams(mpv_opengl_init_params& gl, void* x11Display);
