// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/wmfdecoder.h"
#include "platform/filenames.h"

#include <QFile>
#include <libwmf/api.h>
#include <libwmf/gd.h>

// libwmf's own drawing library; only its static archive exports the call that frees an image.
extern "C" void gdImageDestroy(void* image);

namespace {

// A drawing larger than this is refused rather than allocated.
constexpr qint64 kMaxPixels = 64LL * 1024 * 1024;

// One open metafile, closed and freed on every path out.
class Metafile {
public:
    explicit Metafile(const QString& path)
    {
        wmfAPI_Options options{};
        options.function = wmf_gd_function;
        const unsigned long flags =
            WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_api_create(&m_api, flags, &options) != wmf_E_None) {
            m_api = nullptr;
            return;
        }
        m_open = wmf_file_open(m_api, fileNameBytes(path).constData()) == wmf_E_None &&
                 wmf_scan(m_api, 0, &m_bounds) == wmf_E_None;
    }

    ~Metafile()
    {
        if (!m_api)
            return;
        if (void* image = WMF_GD_GetData(m_api)->gd_image)
            gdImageDestroy(image);
        if (m_open)
            wmf_file_close(m_api);
        wmf_api_destroy(m_api);
    }

    Metafile(const Metafile&) = delete;
    Metafile& operator=(const Metafile&) = delete;

    std::optional<QSize> size()
    {
        unsigned int width = 0;
        unsigned int height = 0;
        if (!m_open || wmf_display_size(m_api, &width, &height, 96, 96) != wmf_E_None)
            return std::nullopt;
        if (width == 0 || height == 0 || qint64(width) * height > kMaxPixels)
            return std::nullopt;
        return QSize(int(width), int(height));
    }

    QImage render(QSize size)
    {
        if (!m_open || size.isEmpty() || qint64(size.width()) * size.height() > kMaxPixels)
            return {};
        wmf_gd_t* device = WMF_GD_GetData(m_api);
        device->type = wmf_gd_image;
        device->bbox = m_bounds;
        device->width = unsigned(size.width());
        device->height = unsigned(size.height());
        if (wmf_play(m_api, 0, &m_bounds) != wmf_E_None || !device->gd_image)
            return {};
        const int* pixels = wmf_gd_image_pixels(device->gd_image);
        QImage image(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < size.width(); ++x)
                line[x] = 0xff000000u | (unsigned(pixels[y * size.width() + x]) & 0xffffffu);
        }
        return image;
    }

private:
    wmfAPI* m_api = nullptr;
    wmfD_Rect m_bounds{};
    bool m_open = false;
};

} // namespace

std::optional<QSize> wmfSize(const QString& path)
{
    return Metafile(path).size();
}

QImage renderWmf(const QString& path, QSize size)
{
    return Metafile(path).render(size);
}
