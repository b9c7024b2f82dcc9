#include "platform/mpvrenderparams.h"

std::vector<mpv_render_param> renderContextParams(mpv_opengl_init_params& gl, void* x11Display)
{
    std::vector<mpv_render_param> params{
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &gl},
    };
    if (x11Display)
        params.push_back({MPV_RENDER_PARAM_X11_DISPLAY, x11Display});
    params.push_back({MPV_RENDER_PARAM_INVALID, nullptr});
    return params;
}
